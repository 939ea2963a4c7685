#include "app/command_line.h"

#include "core/error_texts.h"
#include "platform/cp1252.h"
#include "platform/error.h"

namespace tht::app {
namespace {

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::vector<std::string> countedParameters(int argc, char** argv) {
  std::vector<std::string> parameters;
  for (int i = 1; i < argc && argv[i][0] != '\0'; ++i) parameters.emplace_back(argv[i]);
  return parameters;
}

std::vector<std::string> splitCommandLine(const std::string& line) {
  const auto separator = [](char c) {
    const auto code = static_cast<unsigned char>(c);
    return code >= 1 && code <= 32;
  };
  size_t i = 0;
  const size_t n = line.size();
  const auto next = [&]() {
    for (;;) {
      while (i < n && separator(line[i])) ++i;
      if (i + 1 < n && line[i] == '"' && line[i + 1] == '"')
        i += 2;
      else
        break;
    }
    std::string parameter;
    while (i < n && line[i] != '\0' && !separator(line[i])) {
      if (line[i] == '"') {
        ++i;
        while (i < n && line[i] != '"' && line[i] != '\0') parameter += line[i++];
        if (i < n && line[i] == '"') ++i;
      } else {
        parameter += line[i++];
      }
    }
    return parameter;
  };
  next();  // the program name
  std::vector<std::string> parameters;
  for (std::string parameter = next(); !parameter.empty(); parameter = next()) parameters.push_back(parameter);
  return parameters;
}

LaunchPlan launchPlan(const std::vector<std::string>& parameters) {
  LaunchPlan plan;
  plan.parameterCount = static_cast<int32_t>(parameters.size());
  if (parameters.size() != 2) return plan;
  try {
    plan.handle = parseWindowHandle(parameters[1]);
  } catch (const Error& error) {
    plan.handleError = error.what();
    return plan;
  }
  plan.hosted = true;
  plan.direction = directionOf(parameters[0]);
  return plan;
}

std::string noHostWindowMessage(uint32_t handle) {
  static const char digits[] = "0123456789ABCDEF";
  std::string hex;
  do {
    hex.insert(hex.begin(), digits[handle % 16]);
    handle /= 16;
  } while (handle != 0);
  return "No existe la ventana $" + hex + " de Horavent";
}

Direction directionOf(const std::string& word) {
  const std::string lower = lowerAscii(word);
  if (lower == "importar") return Direction::Import;
  if (lower == "exportar") return Direction::Export;
  return Direction::Both;
}

uint32_t parseWindowHandle(const std::string& parameter) {
  const std::string error = notAnIntegerMessage("$" + parameter);
  if (parameter.empty()) throw Error(error);
  uint64_t value = 0;
  for (char c : parameter) {
    const int digit = hexDigit(c);
    if (digit < 0) throw Error(error);
    value = value * 16 + static_cast<uint64_t>(digit);
    if (value > 0xFFFFFFFFu) throw Error(error);
  }
  return static_cast<uint32_t>(value);
}

std::string applicationTitle(const std::string& programPath) {
  const size_t slash = programPath.find_last_of("/\\");
  std::string name = slash == std::string::npos ? programPath : programPath.substr(slash + 1);
  name = name.substr(0, name.find('.'));
  if (name.size() > 1) name = name.substr(0, 1) + lowerAscii(name.substr(1));
  return name;
}

}  // namespace tht::app
