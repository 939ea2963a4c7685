// The current folder shortened to fit the path label: leading folders give
// way to "...", then the drive, until the text fits.
#pragma once

#include <functional>
#include <string>

namespace tht::app {

// `separator` is '\\' for Windows-style paths ("C:\A\B") and '/' for ours,
// where the drive part is always empty. `width` measures a text in the
// label's font.
std::string shortenPath(const std::string& path, int maxWidth, const std::function<int(const std::string&)>& width,
                        char separator = '/');

}  // namespace tht::app
