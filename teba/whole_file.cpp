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

// Reads up to the first NUL byte (which ends the content) or the end.
std::string readContent(const std::string& path) {
  auto fail = [&](int err) {
    throw Error("Cannot open file \"" + path + "\". " + systemErrorText(err));
  };
  FileDescriptor file{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
  if (file.fd < 0) fail(errno);
  struct stat st;
  if (::fstat(file.fd, &st) != 0) fail(errno);
  if (S_ISDIR(st.st_mode)) fail(EISDIR);
  if (::flock(file.fd, LOCK_SH | LOCK_NB) != 0) fail(errno);
  std::string content;
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

std::vector<std::string> splitWholeFileContent(const std::string& content) {
  std::vector<std::string> lines;
  const size_t end = content.find('\0');
  const size_t size = end == std::string::npos ? content.size() : end;
  size_t start = 0;
  size_t i = 0;
  while (i < size) {
    const char c = content[i];
    if (c != '\r' && c != '\n') {
      ++i;
      continue;
    }
    lines.emplace_back(content, start, i - start);
    i += (c == '\r' && i + 1 < size && content[i + 1] == '\n') ? 2 : 1;
    start = i;
  }
  if (start < size) lines.emplace_back(content, start, size - start);
  return lines;
}

std::vector<std::string> readWholeFile(const std::string& path) {
  return splitWholeFileContent(readContent(path));
}

}  // namespace tht
