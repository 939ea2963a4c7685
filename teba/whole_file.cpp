#include "teba/whole_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/error.h"
#include "platform/files.h"

namespace tht {
namespace {

// Closes the descriptor on every way out.
struct FileDescriptor {
  int fd;
  ~FileDescriptor() {
    if (fd >= 0) ::close(fd);
  }
};

// Reads up to the first NUL byte (which ends the content) or the end, into
// a string sized from the file's length, so the content is held once.
std::string readContent(const std::string& path) {
  auto fail = [&](int err) {
    throw Error("Cannot open file \"" + path + "\". " + systemErrorText(err));
  };
  // Opened without waiting, so that a pipe in the file's place cannot hold
  // the run up; only a regular file is read.
  FileDescriptor file{::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)};
  if (file.fd < 0) fail(errno);
  struct stat st;
  if (::fstat(file.fd, &st) != 0) fail(errno);
  if (S_ISDIR(st.st_mode)) fail(EISDIR);
  if (!S_ISREG(st.st_mode)) fail(EACCES);
  if (::fcntl(file.fd, F_SETFL, ::fcntl(file.fd, F_GETFL) & ~O_NONBLOCK) != 0) fail(errno);
  if (::flock(file.fd, LOCK_SH | LOCK_NB) != 0) fail(errno);
  std::string content;
  if (st.st_size > 0) content.reserve(static_cast<size_t>(st.st_size));
  char chunk[64 * 1024];
  for (;;) {
    const ssize_t n = ::read(file.fd, chunk, sizeof chunk);
    if (n < 0) {
      if (errno == EINTR) continue;
      fail(errno);
    }
    if (n == 0) break;
    const void* nul = std::memchr(chunk, '\0', static_cast<size_t>(n));
    if (nul != nullptr) {
      content.append(chunk, static_cast<size_t>(static_cast<const char*>(nul) - chunk));
      break;
    }
    content.append(chunk, static_cast<size_t>(n));
  }
  return content;
}

}  // namespace

WholeFile::WholeFile(const std::string& path) : content_(readContent(path)) {}

WholeFile WholeFile::fromContent(std::string content) {
  WholeFile file;
  const size_t nul = content.find('\0');
  if (nul != std::string::npos) content.resize(nul);
  file.content_ = std::move(content);
  return file;
}

bool WholeFile::nextLine(std::string& line) {
  const size_t size = content_.size();
  if (position_ >= size) return false;
  size_t i = position_;
  while (i < size && content_[i] != '\r' && content_[i] != '\n') ++i;
  line.assign(content_, position_, i - position_);
  if (i < size) i += (content_[i] == '\r' && i + 1 < size && content_[i + 1] == '\n') ? 2 : 1;
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
