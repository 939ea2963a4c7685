#include "app/path_label.h"

namespace tht::app {

std::string shortenPath(const std::string& path, int maxWidth, const std::function<int(const std::string&)>& width,
                        char separator) {
  const std::string sep(1, separator);
  std::string drive = path.size() >= 2 && path[1] == ':' ? path.substr(0, 2) : std::string();
  const std::string rest = path.substr(drive.size());
  const size_t last = rest.rfind(separator);
  std::string folders = last == std::string::npos ? std::string() : rest.substr(0, last + 1);
  const std::string name = last == std::string::npos ? rest : rest.substr(last + 1);

  // A folder part that is the bare separator has no folder left to cut
  // (cutting would give it back unchanged, for ever).
  const auto cuttable = [&sep](const std::string& part) { return !part.empty() && part != sep; };
  std::string caption = drive + folders + name;
  while (width(caption) > maxWidth && (!drive.empty() || cuttable(folders))) {
    if (folders == sep + "..." + sep) {
      drive.clear();
      folders = "..." + sep;
    } else if (cuttable(folders)) {
      // Cut the first folder after the leading separator.
      std::string leading;
      if (folders.compare(0, 1, sep) == 0) {
        leading = sep;
        folders.erase(0, 1);
      }
      if (!folders.empty() && folders[0] == '.') folders.erase(0, 4);
      const size_t next = folders.find(separator);
      folders = next == std::string::npos ? std::string() : "..." + sep + folders.substr(next + 1);
      folders = leading + folders;
    } else {
      drive.clear();
    }
    caption = drive + folders + name;
  }
  return caption;
}

}  // namespace tht::app
