// The parts of the file services that are the same on every system: paths,
// and the names of temporary files.
#include "platform/files.h"
#include "platform/temporary_files.h"

namespace tht {
namespace {

// Where the root of `path` ends: after "/" or "C:\" ("C:/"), after "C:" of a
// drive-relative path; 0 for a relative path.
size_t rootLength(const std::string& path, PathStyle style) {
  if (style.drives && path.size() >= 2 && path[1] == ':' &&
      ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')))
    return path.size() >= 3 && isPathSeparator(path[2], style) ? 3 : 2;
  return !path.empty() && isPathSeparator(path[0], style) ? 1 : 0;
}

}  // namespace

char pathSeparator() { return systemPathStyle().separator; }

bool isPathSeparator(char c, PathStyle style) { return c == style.separator || (style.slashSeparates && c == '/'); }

std::string joinPath(const std::string& folder, const std::string& name, PathStyle style) {
  if (folder.empty()) return name;
  if (isPathSeparator(folder.back(), style)) return folder + name;
  return folder + style.separator + name;
}

std::string joinPath(const std::string& folder, const std::string& name) {
  return joinPath(folder, name, systemPathStyle());
}

std::string withoutFinalSeparator(const std::string& path, PathStyle style) {
  const size_t root = rootLength(path, style);
  size_t end = path.size();
  while (end > root && isPathSeparator(path[end - 1], style)) --end;
  return path.substr(0, end);
}

PathParts splitPath(const std::string& path, PathStyle style) {
  const size_t root = rootLength(path, style);
  size_t cut = path.size();
  while (cut > root && !isPathSeparator(path[cut - 1], style)) --cut;
  if (cut == 0) return {".", path};
  // "C:name" (a drive's current folder) keeps its "C:".
  if (cut == root) return {path.substr(0, root), path.substr(root)};
  return {path.substr(0, cut - 1), path.substr(cut)};
}

std::string temporaryFilePrefix(unsigned long processId) { return ".tht-" + std::to_string(processId) + "-"; }

unsigned long temporaryFileOwner(const std::string& name) {
  if (name.rfind(".tht-", 0) != 0) return 0;
  const size_t dash = name.find('-', 5);
  // Digits only, and few enough for any process id.
  if (dash == std::string::npos || dash == 5 || name.find_first_not_of("0123456789", 5) != dash || dash - 5 > 9)
    return 0;
  return std::stoul(name.substr(5, dash - 5));
}

}  // namespace tht
