#include "teba/records.h"

#include <string_view>

#include "platform/cp1252.h"
#include "platform/files.h"

namespace tht {

namespace {

std::string_view fieldView(std::string_view line, long start, long width) {
  if (start < 1) start = 1;
  const size_t from = static_cast<size_t>(start - 1);
  if (width <= 0 || from >= line.size()) return {};
  return line.substr(from, static_cast<size_t>(width));
}

std::string_view trimmedView(std::string_view text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && static_cast<unsigned char>(text[begin]) <= 0x20) ++begin;
  while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 0x20) --end;
  return text.substr(begin, end - begin);
}

}  // namespace

std::string field(std::string_view line, long start, long width) {
  return std::string(fieldView(line, start, width));
}

std::string trim(std::string_view text) { return std::string(trimmedView(text)); }

std::string trimmedField(std::string_view line, long start, long width) {
  return std::string(trimmedFieldView(line, start, width));
}

std::string_view trimmedFieldView(std::string_view line, long start, long width) {
  return trimmedView(fieldView(line, start, width));
}

bool isSkipped(std::string_view line, std::string_view expectedName) {
  if (!line.empty() && (line[0] == '0' || line[0] == '9')) return true;
  const std::string_view name = trimmedView(fieldView(line, 2, 50));
  return name.size() == expectedName.size() && upperAscii(name) == expectedName;
}

std::string writeField(const std::string& value, size_t width) {
  if (value.size() >= width) return value;
  return value + std::string(width - value.size(), ' ');
}

std::string headerRecord(const std::string& fileName, const std::string& centre,
                         const std::string& timestamp) {
  return "0" + writeField(fileName, 50) + writeField(centre, 8) + writeField(timestamp, 8);
}

std::string trailerRecord(const std::string& fileName, const std::string& centre,
                          const std::string& timestamp, size_t dataRecords) {
  return "9" + writeField(fileName, 50) + writeField(centre, 8) + writeField(timestamp, 8) +
         std::to_string(dataRecords);
}

void writeTebaFile(const std::string& path, const std::vector<std::string>& lines) {
  size_t total = 0;
  for (const std::string& line : lines) total += line.size() + 2;
  std::string bytes;
  bytes.reserve(total);
  for (const std::string& line : lines) {
    bytes += line;
    bytes += "\r\n";
  }
  replaceFileAtomically(path, bytes);
}

}  // namespace tht
