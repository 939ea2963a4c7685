// Files opened for streamed and positioned access on Windows: sharing is the
// share mode of CreateFileA, and a refused one is error 32.
#include "platform/windows_api.h"

#include <algorithm>
#include <utility>

#include "platform/input_file.h"
#include "platform/random_access_file.h"

namespace tht {
namespace {

constexpr intptr_t kClosed = -1;  // INVALID_HANDLE_VALUE as stored

// One ReadFile or WriteFile moves at most this many bytes.
constexpr size_t kLargestTransfer = size_t{1} << 30;

SystemError lastError() {
  const DWORD error = ::GetLastError();
  SystemError::Kind kind = SystemError::Kind::Other;
  if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) kind = SystemError::Kind::Missing;
  if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) kind = SystemError::Kind::Busy;
  return systemError(static_cast<int>(error), kind);
}

OVERLAPPED at(uint64_t offset) {
  OVERLAPPED position{};
  position.Offset = static_cast<DWORD>(offset & 0xFFFFFFFFu);
  position.OffsetHigh = static_cast<DWORD>(offset >> 32);
  return position;
}

SystemError sizeOf(intptr_t handle, uint64_t& bytes) {
  LARGE_INTEGER size;
  if (!::GetFileSizeEx(handleOf(handle), &size)) return lastError();
  bytes = static_cast<uint64_t>(size.QuadPart);
  return {};
}

void closeHandle(intptr_t& handle) {
  if (handle != kClosed) ::CloseHandle(handleOf(handle));
  handle = kClosed;
}

}  // namespace

// ---- InputFile

InputFile::~InputFile() { close(); }

InputFile::InputFile(InputFile&& other) noexcept : handle_(std::exchange(other.handle_, kClosed)) {}

InputFile& InputFile::operator=(InputFile&& other) noexcept {
  if (this != &other) {
    close();
    handle_ = std::exchange(other.handle_, kClosed);
  }
  return *this;
}

SystemError InputFile::open(const std::string& path) {
  close();
  HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE) return lastError();
  // A console, a pipe or a device in the file's place is no input.
  if (::GetFileType(file) != FILE_TYPE_DISK) {
    ::CloseHandle(file);
    return systemError(ERROR_ACCESS_DENIED);
  }
  handle_ = storedHandle(file);
  return {};
}

bool InputFile::isOpen() const { return handle_ != kClosed; }

void InputFile::close() { closeHandle(handle_); }

SystemError InputFile::read(char* data, size_t count, size_t& got) {
  got = 0;
  DWORD n = 0;
  if (!::ReadFile(handleOf(handle_), data, static_cast<DWORD>(std::min(count, kLargestTransfer)), &n, nullptr)) {
    if (::GetLastError() == ERROR_HANDLE_EOF) return {};
    return lastError();
  }
  got = n;
  return {};
}

SystemError InputFile::size(uint64_t& bytes) const { return sizeOf(handle_, bytes); }

// ---- RandomAccessFile

RandomAccessFile::~RandomAccessFile() { close(); }

SystemError RandomAccessFile::open(const std::string& path, Access access) {
  close();
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
    return systemError(ERROR_FILE_NOT_FOUND, SystemError::Kind::Missing);
  const DWORD rights = access == Access::SharedReadOnly ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
  const DWORD sharing = access == Access::Exclusive ? 0 : FILE_SHARE_READ | FILE_SHARE_WRITE;
  HANDLE file = ::CreateFileA(path.c_str(), rights, sharing, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return lastError();
  if (::GetFileType(file) != FILE_TYPE_DISK) {
    ::CloseHandle(file);
    return systemError(ERROR_FILE_NOT_FOUND, SystemError::Kind::Missing);
  }
  handle_ = storedHandle(file);
  return {};
}

bool RandomAccessFile::isOpen() const { return handle_ != kClosed; }

void RandomAccessFile::close() { closeHandle(handle_); }

SystemError RandomAccessFile::readAt(uint64_t offset, char* data, size_t count, size_t& got) const {
  got = 0;
  while (got < count) {
    OVERLAPPED position = at(offset + got);
    DWORD n = 0;
    if (!::ReadFile(handleOf(handle_), data + got, static_cast<DWORD>(std::min(count - got, kLargestTransfer)), &n,
                    &position)) {
      if (::GetLastError() == ERROR_HANDLE_EOF) break;
      return lastError();
    }
    if (n == 0) break;
    got += n;
  }
  return {};
}

SystemError RandomAccessFile::writeAt(uint64_t offset, const char* data, size_t count) {
  size_t done = 0;
  while (done < count) {
    OVERLAPPED position = at(offset + done);
    DWORD n = 0;
    if (!::WriteFile(handleOf(handle_), data + done, static_cast<DWORD>(std::min(count - done, kLargestTransfer)), &n,
                     &position))
      return lastError();
    done += n;
  }
  return {};
}

SystemError RandomAccessFile::size(uint64_t& bytes) const { return sizeOf(handle_, bytes); }

SystemError RandomAccessFile::flushToDisk() {
  if (!::FlushFileBuffers(handleOf(handle_))) return lastError();
  return {};
}

bool heldByOtherOpeners(const std::string& path) {
  // An open that shares nothing is refused while any other opener holds the
  // file; one that only glances at it (a virus scanner, an indexer) is
  // waited for, for about a second.
  const DWORD error = retryingWhileHeld([&] {
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    ::CloseHandle(file);
    return true;
  });
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

}  // namespace tht
