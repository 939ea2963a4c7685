#include "teba/line_reader.h"

#include "platform/error.h"
#include "platform/system_error.h"
#include "core/error_texts.h"

namespace tht {
namespace {

constexpr size_t kBufferSize = 64 * 1024;
constexpr char kCtrlZ = 0x1A;

[[noreturn]] void failWith(const SystemError& error) { throw Error(ioErrorMessage(error.code)); }

}  // namespace

LineReader::LineReader(const std::string& path) : buffer_(kBufferSize) {
  // A folder reads as access denied (5), as any other input that is no file.
  if (const SystemError error = file_.open(path)) failWith(error);
}

bool LineReader::fill() {
  if (stopped_) return false;
  size_t got = 0;
  if (const SystemError error = file_.read(buffer_.data(), buffer_.size(), got)) failWith(error);
  position_ = 0;
  size_ = got;
  if (got == 0) stopped_ = true;
  return got > 0;
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
