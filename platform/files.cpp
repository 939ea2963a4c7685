// The parts of the file services that are the same on every system: paths,
// and the names of temporary files.
#include "platform/files.h"
#include "platform/temporary_files.h"

#include <cstdint>

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

std::string computerTag(const std::string& identity) {
  uint64_t hash = 14695981039346656037ull;  // 64-bit FNV-1a
  for (const char c : identity) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
  static const char digits[] = "0123456789abcdef";
  std::string tag(16, '0');
  for (int i = 15; i >= 0; --i, hash >>= 4) tag[i] = digits[hash & 0xF];
  return tag;
}

std::string temporaryFilePrefix(const std::string& computer, unsigned long processId) {
  return ".tht-" + computer + "-" + std::to_string(processId) + "-";
}

bool isLeftover(const std::string& name, long long ageSeconds, const std::string& computer,
                unsigned long self, const std::function<bool(unsigned long)>& hasEnded) {
  // ".tht-" [16 hex digits "-"] <process id> "-" <anything>
  if (name.rfind(".tht-", 0) != 0) return false;
  size_t at = 5;
  std::string owner;
  if (name.size() > at + 16 && name[at + 16] == '-' &&
      name.find_first_not_of("0123456789abcdef", at) == at + 16) {
    owner = name.substr(at, 16);
    at += 17;
  }
  const size_t dash = name.find('-', at);
  if (dash == std::string::npos || dash == at || dash - at > 10 ||
      name.find_first_not_of("0123456789", at) != dash)
    return false;
  if (ageSeconds > kLeftoverSeconds) return true;
  unsigned long long process = 0;
  for (size_t i = at; i < dash; ++i) process = process * 10 + static_cast<unsigned>(name[i] - '0');
  return owner == computer && process != self && process <= static_cast<unsigned long>(-1) &&
         hasEnded(static_cast<unsigned long>(process));
}

}  // namespace tht
