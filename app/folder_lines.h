// The lines of the folder list: the root, the folders down to the current
// one, and the current folder's subfolders, each with its icon, indent and
// the folder that double-clicking it moves to.
#pragma once

#include <string>
#include <vector>

namespace tht::app {

enum class FolderIcon { Open, Current, Closed };

struct FolderLine {
  std::string text;    // as shown
  std::string target;  // the folder the line leads to
  int indent = 0;      // the icon's distance from the left edge, in pixels
  FolderIcon icon = FolderIcon::Open;
};

struct FolderListing {
  std::vector<FolderLine> lines;
  size_t selected = 0;  // the current folder's line
};

// `current` is the current folder's text ("C:\DATOS" with '\\', "/home/x"
// with '/'; a root keeps its separator), `subfolders` the names of its
// visible subfolders in any order. They are sorted ignoring case; names are
// shown in lower case when the volume does not preserve case.
FolderListing folderLines(const std::string& current, char separator, std::vector<std::string> subfolders,
                          bool preservesCase = true);

}  // namespace tht::app
