#include "platform/ini_file.h"

#include <fstream>
#include <iterator>
#include <vector>

#include "platform/cp1252.h"
#include "platform/error.h"
#include "platform/files.h"
#include "platform/names.h"

namespace tht {
namespace {

std::string trimmed(const std::string& text) {
  const size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string::npos) return {};
  return text.substr(begin, text.find_last_not_of(" \t") - begin + 1);
}

bool sameName(const std::string& a, const std::string& b) { return upperAscii(trimmed(a)) == upperAscii(b); }

// The name of a "[section]" line; false for any other line.
bool sectionName(const std::string& line, std::string& name) {
  const std::string text = trimmed(line);
  if (text.size() < 2 || text.front() != '[') return false;
  const size_t close = text.find(']');
  if (close == std::string::npos) return false;
  name = text.substr(1, close - 1);
  return true;
}

struct Lines {
  std::vector<std::string> items;  // without line ends
  std::string eol = "\r\n";
  bool endsWithEol = true;
};

Lines splitLines(const std::string& content) {
  Lines lines;
  if (content.find('\n') != std::string::npos && content.find("\r\n") == std::string::npos) lines.eol = "\n";
  lines.endsWithEol = content.empty() || content.back() == '\n';
  size_t start = 0;
  while (start < content.size()) {
    size_t end = content.find('\n', start);
    if (end == std::string::npos) end = content.size();
    std::string line = content.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.items.push_back(line);
    start = end + 1;
  }
  return lines;
}

}  // namespace

void writeProfileString(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& value) {
  const std::string failure = "Unable to write to " + shownName(path);
  std::string content;
  const std::string target = fileExists(path) ? linkTarget(path) : path;
  if (fileExists(target)) {
    if (isReadOnlyFile(target)) throw Error(failure);
    std::ifstream in(target, std::ios::binary);
    if (!in) throw Error(failure);
    content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) throw Error(failure);
  }
  Lines lines = splitLines(content);
  const size_t originalCount = lines.items.size();
  const std::string originalLast = lines.items.empty() ? std::string() : lines.items.back();
  const std::string entry = key + "=" + value;

  // Where the section starts and where its last non-blank line stands.
  size_t header = lines.items.size();
  std::string name;
  for (size_t i = 0; i < lines.items.size(); ++i)
    if (sectionName(lines.items[i], name) && sameName(name, section)) {
      header = i;
      break;
    }
  if (header == lines.items.size()) {
    lines.items.push_back("[" + section + "]");
    lines.items.push_back(entry);
  } else {
    size_t last = header;
    bool replaced = false;
    for (size_t i = header + 1; i < lines.items.size() && !sectionName(lines.items[i], name); ++i) {
      const std::string& line = lines.items[i];
      if (!trimmed(line).empty()) last = i;
      const size_t equals = line.find('=');
      if (equals != std::string::npos && sameName(line.substr(0, equals), key)) {
        lines.items[i] = entry;
        replaced = true;
        break;
      }
    }
    if (!replaced) lines.items.insert(lines.items.begin() + static_cast<long>(last) + 1, entry);
  }

  // Every line ends in the file's line end, except a last line that had
  // none and is still last.
  std::string out;
  for (size_t i = 0; i < lines.items.size(); ++i) {
    out += lines.items[i];
    const bool keptUnterminated = i + 1 == lines.items.size() && !lines.endsWithEol && i + 1 == originalCount &&
                                  lines.items[i] == originalLast;
    if (!keptUnterminated) out += lines.eol;
  }
  try {
    replaceFileAtomically(target, out);
  } catch (const Error&) {
    throw Error(failure);
  }
}

}  // namespace tht
