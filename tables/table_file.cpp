#include "tables/table_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/error.h"
#include "platform/files.h"
#include "tables/dbf_layout.h"

namespace tht::tables {
namespace {

[[noreturn]] void failed(const std::string& what, int error, const std::string& path) {
  throw Error(engineMessage(what + " " + systemErrorText(error) + ".", path));
}

}  // namespace

TableFile::TableFile(const std::string& path, bool writable, Lock lock) : path_(path) {
  // Opened without waiting, so that a pipe in the table's place cannot
  // hold the run up; it is then refused below as no table.
  fd_ = ::open(path.c_str(), (writable ? O_RDWR : O_RDONLY) | O_CLOEXEC | O_NONBLOCK);
  if (fd_ < 0) {
    const int error = errno;
    if (error == ENOENT || error == ENOTDIR) throw Error(engineMessage("Table does not exist.", path));
    failed("Cannot open table.", error, path);
  }
  struct stat status {};
  if (::fstat(fd_, &status) != 0 || !S_ISREG(status.st_mode)) {
    ::close(fd_);
    throw Error(engineMessage("Table does not exist.", path));
  }
  if (::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK) != 0) {
    const int error = errno;
    ::close(fd_);
    failed("Cannot open table.", error, path);
  }
  const int operation = (lock == Lock::Exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB;
  int result;
  do result = ::flock(fd_, operation);
  while (result != 0 && errno == EINTR);
  if (result != 0) {
    const int error = errno;
    ::close(fd_);
    if (error == EWOULDBLOCK) throw Error(engineMessage("Table is busy.", path));
    failed("Cannot lock table.", error, path);
  }
}

TableFile::~TableFile() { ::close(fd_); }  // closing releases the lock

uint64_t TableFile::size() const {
  struct stat status {};
  if (::fstat(fd_, &status) != 0) failed("Cannot read table.", errno, path_);
  return static_cast<uint64_t>(status.st_size);
}

std::string TableFile::readAt(uint64_t offset, size_t count) const {
  std::string bytes(count, '\0');
  size_t done = 0;
  while (done < count) {
    const ssize_t got = ::pread(fd_, &bytes[done], count - done, static_cast<off_t>(offset + done));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) failed("Cannot read table.", errno, path_);
    if (got == 0) break;
    done += static_cast<size_t>(got);
  }
  bytes.resize(done);
  return bytes;
}

void TableFile::writeAt(uint64_t offset, std::string_view bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t put = ::pwrite(fd_, bytes.data() + done, bytes.size() - done, static_cast<off_t>(offset + done));
    if (put < 0 && errno == EINTR) continue;
    if (put < 0) failed("Cannot write to table.", errno, path_);
    done += static_cast<size_t>(put);
  }
}

bool isLockedByOthers(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  const bool locked = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
  ::close(fd);
  return locked;
}

}  // namespace tht::tables
