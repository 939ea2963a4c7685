#include "teba/line_reader.h"

#include <cerrno>
#include <unistd.h>

#include "platform/error.h"
#include "platform/files.h"
#include "teba/io_error.h"

namespace tht {
namespace {

constexpr size_t kBufferSize = 64 * 1024;
constexpr char kCtrlZ = 0x1A;

[[noreturn]] void failWith(int err) { throw Error(ioErrorMessage(windowsErrorCode(err))); }

}  // namespace

LineReader::LineReader(const std::string& path) : buffer_(kBufferSize) {
  int err = 0;
  fd_ = openForReadingShared(path, err);
  // A folder reads as access denied, as any other input that is no file.
  if (fd_ < 0) failWith(err == EISDIR ? EACCES : err);
}

LineReader::~LineReader() {
  if (fd_ >= 0) ::close(fd_);  // Closing releases the lock.
}

bool LineReader::fill() {
  if (stopped_) return false;
  for (;;) {
    const ssize_t n = ::read(fd_, buffer_.data(), buffer_.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      failWith(errno);
    }
    position_ = 0;
    size_ = static_cast<size_t>(n);
    if (n == 0) stopped_ = true;
    return n > 0;
  }
}

int LineReader::peek() {
  if (position_ == size_ && !fill()) return -1;
  return static_cast<unsigned char>(buffer_[position_]);
}

bool LineReader::eof() {
  const int c = peek();
  if (c == kCtrlZ) stopped_ = true;
  return c < 0 || c == kCtrlZ;
}

std::string LineReader::readLine() {
  std::string line;
  readLine(line);
  return line;
}

void LineReader::readLine(std::string& line) {
  line.clear();
  for (;;) {
    if (position_ == size_ && !fill()) return;
    // Copy the run of ordinary bytes in one go.
    const char* begin = buffer_.data() + position_;
    const char* end = buffer_.data() + size_;
    const char* p = begin;
    while (p < end && *p != '\n' && *p != '\r' && *p != kCtrlZ) ++p;
    line.append(begin, p);
    position_ += static_cast<size_t>(p - begin);
    if (p == end) continue;
    if (*p == kCtrlZ) {
      // Left in place: eof() sees it and the file ends here.
      stopped_ = true;
      return;
    }
    ++position_;
    if (*p == '\n') return;
    // A CR: CR LF ends the line, a lone CR is dropped.
    if (peek() == '\n') {
      ++position_;
      return;
    }
  }
}

}  // namespace tht
