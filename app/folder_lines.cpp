#include "app/folder_lines.h"

#include <algorithm>

#include "platform/cp1252.h"

namespace tht::app {

FolderListing folderLines(const std::string& current, char separator, std::vector<std::string> subfolders,
                          bool preservesCase) {
  const auto shown = [preservesCase](const std::string& name) { return preservesCase ? name : foldCase(name); };
  FolderListing listing;
  // The root: "C:\" or "/".
  const size_t rootLength = current.size() >= 2 && current[1] == ':' ? 3 : 1;
  const std::string root = current.substr(0, std::min(rootLength, current.size()));
  listing.lines.push_back({root, root, 2, FolderIcon::Open});
  size_t start = root.size();
  while (start < current.size()) {
    const size_t next = current.find(separator, start);
    const size_t end = next == std::string::npos ? current.size() : next;
    const int index = static_cast<int>(listing.lines.size());
    listing.lines.push_back({shown(current.substr(start, end - start)), current.substr(0, end), 2 + 4 * index,
                             FolderIcon::Open});
    start = end + 1;
  }
  listing.lines.back().icon = FolderIcon::Current;
  listing.selected = listing.lines.size() - 1;

  std::sort(subfolders.begin(), subfolders.end(), [](const std::string& a, const std::string& b) {
    const int order = compareIgnoringCase(a, b);
    return order != 0 ? order < 0 : a < b;
  });
  const int depth = static_cast<int>(std::count(current.begin(), current.end(), separator));
  const std::string prefix = !current.empty() && current.back() == separator ? current : current + separator;
  for (const std::string& name : subfolders)
    listing.lines.push_back({shown(name), prefix + name, 6 + 4 * depth, FolderIcon::Closed});
  return listing;
}

}  // namespace tht::app
