// Whole-file reading of a TEBA file into a list of lines.
#pragma once

#include <string>
#include <vector>

namespace tht {

// Reads `path` at once (with the same shared lock as line-by-line reading)
// and cuts it into lines at CR LF, LF and lone CR; LF CR gives an empty line
// between. A NUL byte ends the content; Ctrl-Z is an ordinary character.
// Throws Error "Cannot open file \"<path>\". <cause>" when it cannot.
std::vector<std::string> readWholeFile(const std::string& path);

// The cutting alone, for content already in memory.
std::vector<std::string> splitWholeFileContent(const std::string& content);

}  // namespace tht
