#include "teba/whole_file.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

#include "platform/error.h"
#include "platform/files.h"

namespace tht {
namespace {

constexpr size_t kBlockSize = 64 * 1024;

[[noreturn]] void failOn(const std::string& path, int err) {
  throw Error("Cannot open file \"" + path + "\". " + systemErrorText(err));
}

int openLocked(const std::string& path) {
  int err = 0;
  const int fd = openForReadingShared(path, err);
  if (fd < 0) failOn(path, err);
  return fd;
}

// Appends up to `count` bytes of `fd` to `content`, stopping at a NUL byte
// (which is not kept). Returns how many bytes came, with `ended` set at the
// end of the file or at a NUL.
size_t appendBlock(int fd, const std::string& path, std::string& content, size_t count, bool& ended) {
  const size_t before = content.size();
  content.resize(before + count);
  ssize_t n;
  do {
    n = ::read(fd, &content[before], count);
  } while (n < 0 && errno == EINTR);
  if (n < 0) {
    const int err = errno;
    content.resize(before);
    failOn(path, err);
  }
  const size_t got = static_cast<size_t>(n);
  const void* nul = std::memchr(&content[before], '\0', got);
  const size_t kept = nul ? static_cast<size_t>(static_cast<const char*>(nul) - &content[before]) : got;
  content.resize(before + kept);
  ended = got == 0 || nul != nullptr;
  return kept;
}

}  // namespace

WholeFile::WholeFile(const std::string& path, Reading reading) : path_(path), fd_(openLocked(path)) {
  if (reading == Reading::AsNeeded) return;
  try {
    // Sized from the file's length, so the content is held once.
    struct stat st;
    if (::fstat(fd_, &st) == 0 && st.st_size > 0) content_.reserve(static_cast<size_t>(st.st_size) + kBlockSize);
    bool ended = false;
    while (!ended) appendBlock(fd_, path_, content_, kBlockSize, ended);
  } catch (...) {
    ::close(fd_);
    throw;
  }
  ::close(fd_);  // closing releases the lock
  fd_ = -1;
}

WholeFile::WholeFile(WholeFile&& other) noexcept
    : path_(std::move(other.path_)),
      fd_(std::exchange(other.fd_, -1)),
      content_(std::move(other.content_)),
      position_(other.position_) {}

WholeFile::~WholeFile() {
  if (fd_ >= 0) ::close(fd_);
}

WholeFile WholeFile::fromContent(std::string content) {
  WholeFile file;
  const size_t nul = content.find('\0');
  if (nul != std::string::npos) content.resize(nul);
  file.content_ = std::move(content);
  return file;
}

bool WholeFile::readMore(size_t& scan) {
  if (fd_ < 0) return false;
  content_.erase(0, position_);
  scan -= position_;
  position_ = 0;
  bool ended = false;
  const size_t got = appendBlock(fd_, path_, content_, kBlockSize, ended);
  if (ended) {
    ::close(fd_);
    fd_ = -1;
  }
  return got > 0;
}

bool WholeFile::nextLine(std::string& line) {
  size_t i = position_;
  for (;;) {
    while (i < content_.size() && content_[i] != '\r' && content_[i] != '\n') ++i;
    if (i < content_.size() || !readMore(i)) break;
  }
  if (position_ >= content_.size()) return false;
  line.assign(content_, position_, i - position_);
  if (i < content_.size()) {
    // A CR last in the window: whether an LF follows is in the next block.
    if (content_[i] == '\r' && i + 1 == content_.size()) readMore(i);
    i += (content_[i] == '\r' && i + 1 < content_.size() && content_[i + 1] == '\n') ? 2 : 1;
  }
  position_ = i;
  return true;
}

std::vector<std::string> splitWholeFileContent(const std::string& content) {
  WholeFile file = WholeFile::fromContent(content);
  std::vector<std::string> lines;
  std::string line;
  while (file.nextLine(line)) lines.push_back(line);
  return lines;
}

std::vector<std::string> readWholeFile(const std::string& path) {
  WholeFile file(path);
  std::vector<std::string> lines;
  std::string line;
  while (file.nextLine(line)) lines.push_back(line);
  return lines;
}

}  // namespace tht
