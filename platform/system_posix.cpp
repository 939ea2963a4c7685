// The program's places, the working directory, names as shown and the clock
// on Linux (and other POSIX systems).
#include <langinfo.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

#include "platform/clock.h"
#include "platform/cp1252.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/names.h"

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

SystemError changeWorkingDirectory(const std::string& folder) {
  if (::chdir(folder.c_str()) != 0) return systemError(errno);
  return {};
}

// File names are UTF-8 here whatever the locale: a C locale must not make
// them unreadable.
std::string shownName(const std::string& native) { return utf8ToCp1252(native); }

bool localeTextIsUtf8() {
  const char* codeset = ::nl_langinfo(CODESET);
  if (codeset == nullptr) return true;
  for (const char* name : {"UTF-8", "utf8", "ANSI_X3.4-1968", "ASCII", "US-ASCII"})
    if (std::strcmp(codeset, name) == 0) return true;
  return false;
}

std::tm localTimeNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&now, &local);
  return local;
}

}  // namespace tht
