// Whole-file reading of a TEBA file into a list of lines.
#pragma once

#include <string>
#include <vector>

namespace tht {

// A file read at once and walked line by line. Only the content is held,
// never a string per line, so memory stays at the file's size however many
// lines it has. Lines are cut at CR LF, LF and lone CR; LF CR gives an empty
// line between. A NUL byte ends the content; Ctrl-Z is an ordinary character.
class WholeFile {
 public:
  // Reads `path` at once (with the same shared lock as line-by-line
  // reading). Throws Error "Cannot open file \"<path>\". <cause>" when it
  // cannot.
  explicit WholeFile(const std::string& path);
  // For content already in memory.
  static WholeFile fromContent(std::string content);

  // Puts the next line into `line`; false, leaving `line` alone, after the
  // last one.
  bool nextLine(std::string& line);

 private:
  WholeFile() = default;
  std::string content_;  // up to the first NUL
  size_t position_ = 0;
};

// The lines of `path` as a list (see WholeFile), for callers that need them
// by index; memory then grows with the number of lines too.
std::vector<std::string> readWholeFile(const std::string& path);

// The cutting alone, for content already in memory.
std::vector<std::string> splitWholeFileContent(const std::string& content);

}  // namespace tht
