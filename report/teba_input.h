// The data records of one TEBA file, read the way the export reads it, each
// with its line number, for the checks to walk as often as they need.
#pragma once

#include <string>
#include <vector>

#include "report/findings.h"
#include "teba/teba_files.h"

namespace tht::report {

struct Record {
  size_t number;  // the line's, from 1
  std::string line;
};

class TebaInput {
 public:
  // Reads `file` from `folder` (ending in a separator). A missing file, or
  // one that cannot be read to its end, is a finding and has no records.
  TebaInput(const std::string& folder, const TebaFile& file, Findings& findings);

  const TebaFile& file() const { return file_; }
  const std::string& path() const { return path_; }
  bool present() const { return present_; }    // the file exists
  bool readable() const { return readable_; }  // and was read to its end
  const std::vector<Record>& records() const { return records_; }

 private:
  const TebaFile& file_;
  std::string path_;
  bool present_ = false;
  bool readable_ = false;
  std::vector<Record> records_;
};

}  // namespace tht::report
