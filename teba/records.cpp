#include "teba/records.h"

#include "platform/cp1252.h"
#include "platform/files.h"

namespace tht {

std::string field(const std::string& line, long start, long width) {
  if (start < 1) start = 1;
  const size_t from = static_cast<size_t>(start - 1);
  if (width <= 0 || from >= line.size()) return {};
  return line.substr(from, static_cast<size_t>(width));
}

std::string trim(const std::string& text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && static_cast<unsigned char>(text[begin]) <= 0x20) ++begin;
  while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 0x20) --end;
  return text.substr(begin, end - begin);
}

std::string trimmedField(const std::string& line, long start, long width) {
  return trim(field(line, start, width));
}

bool isSkipped(const std::string& line, const std::string& expectedName) {
  if (!line.empty() && (line[0] == '0' || line[0] == '9')) return true;
  return upperAscii(trimmedField(line, 2, 50)) == expectedName;
}

std::string writeField(const std::string& value, size_t width) {
  if (value.size() >= width) return value;
  return value + std::string(width - value.size(), ' ');
}

std::string headerRecord(const std::string& fileName, const std::string& centre,
                         const std::string& timestamp) {
  return "0" + writeField(fileName, 50) + writeField(centre, 8) + writeField(timestamp, 8);
}

std::string trailerRecord(const std::string& fileName, const std::string& centre,
                          const std::string& timestamp, size_t dataRecords) {
  return "9" + writeField(fileName, 50) + writeField(centre, 8) + writeField(timestamp, 8) +
         std::to_string(dataRecords);
}

void writeTebaFile(const std::string& path, const std::vector<std::string>& lines) {
  size_t total = 0;
  for (const std::string& line : lines) total += line.size() + 2;
  std::string bytes;
  bytes.reserve(total);
  for (const std::string& line : lines) {
    bytes += line;
    bytes += "\r\n";
  }
  replaceFileAtomically(path, bytes);
}

}  // namespace tht
