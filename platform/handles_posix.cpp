// Files opened for streamed and positioned access on Linux (and other POSIX
// systems): sharing is an advisory lock (flock) taken without waiting.
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

#include "platform/input_file.h"
#include "platform/random_access_file.h"

namespace tht {
namespace {

int fdOf(intptr_t handle) { return static_cast<int>(handle); }

// Opens without waiting, so that a pipe in the file's place cannot hold the
// run up, then makes the descriptor blocking again for the reads and writes.
int openNotWaiting(const std::string& path, int flags, int& err) {
  const int fd = ::open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    err = errno;
    return -1;
  }
  err = 0;
  return fd;
}

bool makeBlocking(int fd) { return ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) == 0; }

int lockNotWaiting(int fd, int operation) {
  int result;
  do result = ::flock(fd, operation | LOCK_NB);
  while (result != 0 && errno == EINTR);
  return result == 0 ? 0 : errno;
}

}  // namespace

// ---- InputFile

InputFile::~InputFile() { close(); }

InputFile::InputFile(InputFile&& other) noexcept : handle_(std::exchange(other.handle_, -1)) {}

InputFile& InputFile::operator=(InputFile&& other) noexcept {
  if (this != &other) {
    close();
    handle_ = std::exchange(other.handle_, -1);
  }
  return *this;
}

SystemError InputFile::open(const std::string& path) {
  close();
  int err = 0;
  const int fd = openNotWaiting(path, O_RDONLY, err);
  if (fd < 0) return systemError(err);
  struct stat st;
  if (::fstat(fd, &st) != 0)
    err = errno;
  else if (S_ISDIR(st.st_mode))
    err = EISDIR;
  else if (!S_ISREG(st.st_mode))
    err = EACCES;
  else if (!makeBlocking(fd))
    err = errno;
  else
    err = lockNotWaiting(fd, LOCK_SH);
  if (err != 0) {
    ::close(fd);
    return systemError(err, err == EWOULDBLOCK ? SystemError::Kind::Busy : SystemError::Kind::Other);
  }
  handle_ = fd;
  return {};
}

bool InputFile::isOpen() const { return handle_ >= 0; }

void InputFile::close() {
  if (handle_ >= 0) ::close(fdOf(handle_));  // closing releases the lock
  handle_ = -1;
}

SystemError InputFile::read(char* data, size_t count, size_t& got) {
  got = 0;
  for (;;) {
    const ssize_t n = ::read(fdOf(handle_), data, count);
    if (n >= 0) {
      got = static_cast<size_t>(n);
      return {};
    }
    if (errno != EINTR) return systemError(errno);
  }
}

SystemError InputFile::size(uint64_t& bytes) const {
  struct stat st;
  if (::fstat(fdOf(handle_), &st) != 0) return systemError(errno);
  bytes = static_cast<uint64_t>(st.st_size);
  return {};
}

// ---- RandomAccessFile

RandomAccessFile::~RandomAccessFile() { close(); }

SystemError RandomAccessFile::open(const std::string& path, Access access) {
  close();
  int err = 0;
  const int fd = openNotWaiting(path, access == Access::SharedReadOnly ? O_RDONLY : O_RDWR, err);
  if (fd < 0)
    return systemError(err, err == ENOENT || err == ENOTDIR ? SystemError::Kind::Missing : SystemError::Kind::Other);
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return systemError(ENOENT, SystemError::Kind::Missing);
  }
  if (!makeBlocking(fd)) {
    err = errno;
    ::close(fd);
    return systemError(err);
  }
  err = lockNotWaiting(fd, access == Access::Exclusive ? LOCK_EX : LOCK_SH);
  if (err != 0) {
    ::close(fd);
    return systemError(err, err == EWOULDBLOCK ? SystemError::Kind::Busy : SystemError::Kind::LockFailed);
  }
  handle_ = fd;
  return {};
}

bool RandomAccessFile::isOpen() const { return handle_ >= 0; }

void RandomAccessFile::close() {
  if (handle_ >= 0) ::close(fdOf(handle_));  // closing releases the lock
  handle_ = -1;
}

SystemError RandomAccessFile::readAt(uint64_t offset, char* data, size_t count, size_t& got) const {
  got = 0;
  while (got < count) {
    const ssize_t n = ::pread(fdOf(handle_), data + got, count - got, static_cast<off_t>(offset + got));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return systemError(errno);
    if (n == 0) break;
    got += static_cast<size_t>(n);
  }
  return {};
}

SystemError RandomAccessFile::writeAt(uint64_t offset, const char* data, size_t count) {
  size_t done = 0;
  while (done < count) {
    const ssize_t n = ::pwrite(fdOf(handle_), data + done, count - done, static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return systemError(errno);
    done += static_cast<size_t>(n);
  }
  return {};
}

SystemError RandomAccessFile::size(uint64_t& bytes) const {
  struct stat st {};
  if (::fstat(fdOf(handle_), &st) != 0) return systemError(errno);
  bytes = static_cast<uint64_t>(st.st_size);
  return {};
}

SystemError RandomAccessFile::flushToDisk() {
  int result;
  do result = ::fsync(fdOf(handle_));
  while (result != 0 && errno == EINTR);
  return result == 0 ? SystemError{} : systemError(errno);
}

bool heldByOtherOpeners(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
  ::close(fd);
  return held;
}

}  // namespace tht
