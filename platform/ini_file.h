// Writing one key of an ini file the way the Windows profile writer does,
// for the result code handed to the host program.
#pragma once

#include <string>

namespace tht {

// Sets `key` = `value` in `section` of the ini file at `path`: the file is
// created when missing, the section added at its end when missing, the key's
// line replaced when the key is there and added after the section's last
// line otherwise. Sections and keys match ignoring ASCII case; every other
// line stays as it was, and the file keeps its line ends (CR LF for a new
// file). The file is replaced atomically (through a symbolic link, its
// target). Throws Error("Unable to write to <path>") (the path as shown, see
// platform/names.h) when it cannot be read
// or written, and when it is read-only: it then stays as it was.
void writeProfileString(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& value);

}  // namespace tht
