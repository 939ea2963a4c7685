// The program's places, the working directory, names as shown and the clock
// on Windows.
#include "platform/windows_api.h"

#include <ctime>
#include <vector>

#include "platform/clock.h"
#include "platform/folders.h"
#include "platform/names.h"

namespace tht {

std::string defaultWorkFolder() { return "C:\\HTEMP"; }

std::string programPath() {
  std::vector<char> buffer(MAX_PATH + 1);
  for (;;) {
    const DWORD n = ::GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return {};
    if (n < buffer.size()) return std::string(buffer.data(), n);
    buffer.resize(buffer.size() * 2);  // cut short: a longer path
  }
}

std::string workingDirectory() {
  const DWORD needed = ::GetCurrentDirectoryA(0, nullptr);
  if (needed == 0) return {};
  std::vector<char> buffer(needed + 1);
  const DWORD n = ::GetCurrentDirectoryA(static_cast<DWORD>(buffer.size()), buffer.data());
  if (n == 0 || n >= buffer.size()) return {};
  return std::string(buffer.data(), n);
}

SystemError changeWorkingDirectory(const std::string& folder) {
  if (!::SetCurrentDirectoryA(folder.c_str())) return systemError(static_cast<int>(::GetLastError()));
  return {};
}

// The A functions give names in code page 1252, the program's own.
std::string shownName(const std::string& native) { return native; }

std::tm localTimeNow() {
  SYSTEMTIME now;
  ::GetLocalTime(&now);
  std::tm local{};
  local.tm_year = now.wYear - 1900;
  local.tm_mon = now.wMonth - 1;
  local.tm_mday = now.wDay;
  local.tm_hour = now.wHour;
  local.tm_min = now.wMinute;
  local.tm_sec = now.wSecond;
  local.tm_wday = now.wDayOfWeek;
  local.tm_isdst = -1;
  return local;
}

}  // namespace tht
