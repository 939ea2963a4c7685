// The program's places and the clock on Linux (and other POSIX systems).
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/folders.h"

namespace tht {

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

std::string programPath() {
  std::vector<char> buffer(4096);
  for (;;) {
    const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (n < 0) return {};
    if (static_cast<size_t>(n) < buffer.size()) return std::string(buffer.data(), static_cast<size_t>(n));
    buffer.resize(buffer.size() * 2);
  }
}

std::string workingDirectory() {
  std::vector<char> buffer(4096);
  for (;;) {
    if (::getcwd(buffer.data(), buffer.size()) != nullptr) return buffer.data();
    if (errno != ERANGE) return {};
    buffer.resize(buffer.size() * 2);
  }
}

std::tm localTimeNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&now, &local);
  return local;
}

}  // namespace tht
