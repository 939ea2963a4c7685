#include "teba/teba_lines.h"

#include "teba/records.h"

namespace tht {

TebaLines::TebaLines(const std::string& path, const TebaFile& file) : file_(file) {
  if (file.reading == TebaReading::LineByLine) {
    byLine_.emplace(path);
  } else {
    whole_.emplace(path);
  }
}

bool TebaLines::nextLine(std::string& line) {
  if (whole_) return whole_->nextLine(line);
  if (byLine_->eof()) return false;
  byLine_->readLine(line);
  return true;
}

bool TebaLines::nextRecord(std::string& line) {
  while (nextLine(line)) {
    ++lineNumber_;
    if (!isSkipped(line, file_.expectedName)) return true;
  }
  return false;
}

}  // namespace tht
