// A TEBA file read the way its entry says (teba/teba_files.h): line by line
// or whole. The export's steps and the consistency report both read through
// this, so they meet the same lines, numbered alike.
#pragma once

#include <optional>
#include <string>

#include "teba/line_reader.h"
#include "teba/teba_files.h"
#include "teba/whole_file.h"

namespace tht {

class TebaLines {
 public:
  // Opens `path`, the folder's copy of `file`; a file read whole is read at
  // once, so it fails here rather than half-way. Throws that reading's
  // Error when the file cannot be opened or read.
  TebaLines(const std::string& path, const TebaFile& file);

  // Puts the next data record into `line`, passing over the lines the skip
  // test rejects; false, leaving `line` alone, after the last one.
  bool nextRecord(std::string& line);

  // The number (from 1) of the line nextRecord() gave last.
  size_t lineNumber() const { return lineNumber_; }

 private:
  bool nextLine(std::string& line);

  const TebaFile& file_;
  std::optional<LineReader> byLine_;
  std::optional<WholeFile> whole_;
  size_t lineNumber_ = 0;
};

}  // namespace tht
