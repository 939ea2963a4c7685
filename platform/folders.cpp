#include "platform/folders.h"

#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "platform/files.h"

namespace tht {
namespace {

std::string programPath() {
  std::vector<char> buffer(4096);
  for (;;) {
    const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (n < 0) return {};
    if (static_cast<size_t>(n) < buffer.size()) return std::string(buffer.data(), static_cast<size_t>(n));
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace

std::string defaultWorkFolder() {
  const char* prefix = std::getenv("WINEPREFIX");
  std::string root;
  if (prefix != nullptr && *prefix != '\0') {
    root = prefix;
  } else {
    const char* home = std::getenv("HOME");
    root = joinPath(home != nullptr ? home : "", ".wine");
  }
  return joinPath(joinPath(root, "drive_c"), "HTEMP");
}

std::string programFolder() {
  const std::string path = programPath();
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string programFileName() {
  const std::string path = programPath();
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace tht
