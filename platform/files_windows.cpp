// The file services on Windows: the file system matches names regardless of
// case, sharing is the open's share mode, and a replacement is a move over
// the target.
#include "platform/windows_api.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/error.h"
#include "platform/files.h"
#include "platform/names.h"
#include "platform/temporary_files.h"

namespace tht {
namespace {

constexpr DWORD kNoAttributes = INVALID_FILE_ATTRIBUTES;

DWORD attributesOf(const std::string& path) { return ::GetFileAttributesA(path.c_str()); }

bool writeAll(HANDLE file, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
    DWORD put = 0;
    if (!::WriteFile(file, bytes.data() + done, chunk, &put, nullptr)) return false;
    done += put;
  }
  return true;
}

bool hasEnded(unsigned long id) {
  HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(id));
  if (process == nullptr) return ::GetLastError() == ERROR_INVALID_PARAMETER;
  const bool ended = ::WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
  ::CloseHandle(process);
  return ended;
}

long long secondsOf(const FILETIME& time) {
  return static_cast<long long>((static_cast<uint64_t>(time.dwHighDateTime) << 32 | time.dwLowDateTime) / 10000000);
}

// Removes the temporary files other saves left in the folder (see
// isLeftover()); `now` is the time the folder's file system gave the save's
// own temporary file when it was created.
void removeLeftovers(const std::string& folder, const FILETIME& now) {
  WIN32_FIND_DATAA found;
  HANDLE search = ::FindFirstFileA(joinPath(folder, ".tht-*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  const unsigned long self = ::GetCurrentProcessId();
  do {
    const std::string name = found.cFileName;
    const long long age = secondsOf(now) - secondsOf(found.ftLastWriteTime);
    if (isLeftover(name, age, thisComputer(), self, hasEnded)) ::DeleteFileA(joinPath(folder, name).c_str());
  } while (::FindNextFileA(search, &found));
  ::FindClose(search);
}

// Writes the bytes into a new file of `folder`, flushed to disk; its name in
// `temp`. Removes other saves' leftovers once it is there. 0 or the error.
DWORD writeTemporary(const std::string& folder, const std::string& bytes, std::string& temp) {
  static unsigned counter = 0;
  const std::string prefix = temporaryFilePrefix(thisComputer(), ::GetCurrentProcessId());
  HANDLE file = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < 100 && file == INVALID_HANDLE_VALUE; ++attempt) {
    temp = joinPath(folder, prefix + std::to_string(++counter));
    file = ::CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE && ::GetLastError() != ERROR_FILE_EXISTS) break;
  }
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD error = ::GetLastError();
    temp.clear();
    return error;
  }
  FILETIME created;
  if (::GetFileTime(file, nullptr, nullptr, &created)) removeLeftovers(folder, created);
  DWORD error = 0;
  if (!writeAll(file, bytes) || !::FlushFileBuffers(file)) error = ::GetLastError();
  if (!::CloseHandle(file) && error == 0) error = ::GetLastError();
  return error;
}

}  // namespace

const std::string& thisComputer() {
  // The computer's name, and the id Windows gave this installation (under
  // Wine: this prefix, which has process ids of its own).
  static const std::string tag = [] {
    char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = sizeof name;
    ::GetComputerNameA(name, &size);
    char id[64] = {};
    HKEY key;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Cryptography", 0, KEY_READ | KEY_WOW64_64KEY,
                        &key) == ERROR_SUCCESS) {
      DWORD length = sizeof id - 1;
      if (::RegQueryValueExA(key, "MachineGuid", nullptr, nullptr, reinterpret_cast<BYTE*>(id), &length) !=
          ERROR_SUCCESS)
        id[0] = '\0';
      ::RegCloseKey(key);
    }
    return computerTag(std::string("windows\n") + name + "\n" + id);
  }();
  return tag;
}

PathStyle systemPathStyle() { return kWindowsPaths; }

std::string resolveInFolder(const std::string& folder, const std::string& name) { return joinPath(folder, name); }

bool fileExists(const std::string& path) {
  const DWORD attributes = attributesOf(path);
  return attributes != kNoAttributes && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool folderExists(const std::string& path) {
  const DWORD attributes = attributesOf(path);
  return attributes != kNoAttributes && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool listFolder(const std::string& folder, std::vector<std::string>& names, SystemError& error) {
  names.clear();
  WIN32_FIND_DATAA found;
  HANDLE search = ::FindFirstFileA(joinPath(folder.empty() ? "." : folder, "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) {
    const DWORD code = ::GetLastError();
    if (code == ERROR_FILE_NOT_FOUND) return true;  // a drive's empty root
    error = systemError(static_cast<int>(code));
    return false;
  }
  do {
    const std::string name = found.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (::FindNextFileA(search, &found));
  const DWORD code = ::GetLastError();
  ::FindClose(search);
  if (code != ERROR_NO_MORE_FILES) {
    error = systemError(static_cast<int>(code));
    return false;
  }
  return true;
}

std::vector<std::string> visibleSubfolders(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = ::FindFirstFileA(joinPath(folder, "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const DWORD attributes = found.dwFileAttributes;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY) || (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)))
      continue;
    const std::string name = found.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (::FindNextFileA(search, &found));
  ::FindClose(search);
  return names;
}

bool deleteFileIfPresent(const std::string& path) {
  const DWORD attributes = attributesOf(path);
  if (attributes == kNoAttributes || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return false;
  if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) return ::DeleteFileA(path.c_str()) != 0;
  return retryingWhileHeld([&] { return ::DeleteFileA(path.c_str()) != 0; }) == 0;
}

void replaceFileAtomically(const std::string& path, const std::string& bytes) {
  auto fail = [&](DWORD error) {
    throw Error("Cannot create file \"" + shownName(path) + "\". " + systemErrorText(static_cast<int>(error)));
  };
  const DWORD attributes = attributesOf(path);
  if (attributes != kNoAttributes && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) fail(ERROR_ACCESS_DENIED);
  const std::string folder = splitPath(path).folder;
  std::string temp;
  DWORD error = writeTemporary(folder, bytes, temp);
  if (error == 0) {
    auto move = [&] {
      return ::MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    };
    // A read-only target refuses for good: no waiting for it.
    const bool readOnly = attributes != kNoAttributes && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    error = readOnly ? (move() ? 0 : ::GetLastError()) : retryingWhileHeld(move);
  }
  if (error != 0) {
    if (!temp.empty()) ::DeleteFileA(temp.c_str());
    fail(error);
  }
}

bool isReadOnlyFile(const std::string& path) {
  const DWORD attributes = attributesOf(path);
  return attributes != kNoAttributes && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

std::string linkTarget(const std::string& path) { return path; }

int windowsErrorCode(int native) { return native; }

std::string systemErrorText(int native) {
  char buffer[1024];
  DWORD length = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                  static_cast<DWORD>(native), 0, buffer, sizeof buffer, nullptr);
  // The system's texts end in a full stop and a line end; the messages
  // around them add their own.
  while (length > 0 && (static_cast<unsigned char>(buffer[length - 1]) <= ' ' || buffer[length - 1] == '.'))
    --length;
  if (length == 0) return "Error " + std::to_string(native);
  return std::string(buffer, length);
}

SystemError systemError(int native, SystemError::Kind kind) {
  return {kind, windowsErrorCode(native), systemErrorText(native)};
}

}  // namespace tht
