#include "teba/whole_file.h"

#include <cstdint>
#include <cstring>

#include <utility>

#include "platform/error.h"
#include "platform/names.h"
#include "platform/system_error.h"

namespace tht {
namespace {

constexpr size_t kBlockSize = 64 * 1024;

[[noreturn]] void failOn(const std::string& path, const SystemError& error) {
  throw Error("Cannot open file \"" + shownName(path) + "\". " + error.text);
}

InputFile openShared(const std::string& path) {
  InputFile file;
  if (const SystemError error = file.open(path)) failOn(path, error);
  return file;
}

// Appends up to `count` bytes of `file` to `content`, stopping at a NUL byte
// (which is not kept). Returns how many bytes came, with `ended` set at the
// end of the file or at a NUL.
size_t appendBlock(InputFile& file, const std::string& path, std::string& content, size_t count, bool& ended) {
  const size_t before = content.size();
  content.resize(before + count);
  size_t got = 0;
  if (const SystemError error = file.read(&content[before], count, got)) {
    content.resize(before);
    failOn(path, error);
  }
  const void* nul = std::memchr(&content[before], '\0', got);
  const size_t kept = nul ? static_cast<size_t>(static_cast<const char*>(nul) - &content[before]) : got;
  content.resize(before + kept);
  ended = got == 0 || nul != nullptr;
  return kept;
}

}  // namespace

WholeFile::WholeFile(const std::string& path, Reading reading) : path_(path), file_(openShared(path)) {
  if (reading == Reading::AsNeeded) return;
  // Sized from the file's length, so the content is held once.
  uint64_t size = 0;
  if (!file_.size(size) && size > 0 && size < SIZE_MAX - kBlockSize)
    content_.reserve(static_cast<size_t>(size) + kBlockSize);
  bool ended = false;
  while (!ended) appendBlock(file_, path_, content_, kBlockSize, ended);
  file_.close();  // closing releases the sharing
}

WholeFile::WholeFile(WholeFile&& other) noexcept
    : path_(std::move(other.path_)),
      file_(std::move(other.file_)),
      content_(std::move(other.content_)),
      position_(other.position_) {}

WholeFile WholeFile::fromContent(std::string content) {
  WholeFile file;
  const size_t nul = content.find('\0');
  if (nul != std::string::npos) content.resize(nul);
  file.content_ = std::move(content);
  return file;
}

bool WholeFile::readMore(size_t& scan) {
  if (!file_.isOpen()) return false;
  content_.erase(0, position_);
  scan -= position_;
  position_ = 0;
  bool ended = false;
  const size_t got = appendBlock(file_, path_, content_, kBlockSize, ended);
  if (ended) file_.close();
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
