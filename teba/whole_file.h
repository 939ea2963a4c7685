// Whole-file reading of a TEBA file into a list of lines.
#pragma once

#include <string>
#include <vector>

#include "platform/input_file.h"

namespace tht {

// A file walked line by line by the rules of whole-file reading: lines are
// cut at CR LF, LF and lone CR (LF CR gives an empty line between), a NUL
// byte ends the content, Ctrl-Z is an ordinary character.
//
// Read at once, the whole content is in memory before the first line is
// asked for, so that a file that cannot be read fails before anything else
// is done. Read as needed, the file is streamed through a buffer as the
// lines are asked for, and memory grows with the longest line only: for
// callers that either need only the first lines or take every line before
// they change anything.
class WholeFile {
 public:
  enum class Reading { AtOnce, AsNeeded };

  // Opens `path` with the same shared lock as line-by-line reading. Throws
  // Error "Cannot open file \"<path>\". <cause>" (the path as shown, see
  // platform/names.h) when it cannot open or
  // read it (as needed: also from nextLine()).
  explicit WholeFile(const std::string& path, Reading reading = Reading::AtOnce);
  // For content already in memory.
  static WholeFile fromContent(std::string content);
  WholeFile(WholeFile&& other) noexcept;
  WholeFile& operator=(WholeFile&& other) = delete;
  WholeFile(const WholeFile&) = delete;
  ~WholeFile() = default;

  // Puts the next line into `line`; false, leaving `line` alone, after the
  // last one.
  bool nextLine(std::string& line);

 private:
  WholeFile() = default;
  // Appends the next block of a file read as needed, dropping the lines
  // already taken (`scan` moves with them); false when nothing more came.
  bool readMore(size_t& scan);

  std::string path_;
  InputFile file_;       // open while a file read as needed has more to give
  std::string content_;  // up to the first NUL; read as needed, a window of it
  size_t position_ = 0;
};

// The lines of `path` as a list (see WholeFile), for callers that need them
// by index; memory then grows with the number of lines too.
std::vector<std::string> readWholeFile(const std::string& path);

// The cutting alone, for content already in memory.
std::vector<std::string> splitWholeFileContent(const std::string& content);

}  // namespace tht
