// Reads arbitrary bytes as a TEBA file both ways and checks each against a
// plain model of its rules, byte by byte; puts every line through the skip
// test and the field rules and checks what those promise. Anything but a
// tht::Error, and any difference from the models, is a finding.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "platform/error.h"
#include "teba/line_reader.h"
#include "teba/records.h"
#include "teba/whole_file.h"

namespace {

using Lines = std::vector<std::string>;

void check(bool holds) {
  if (!holds) __builtin_trap();
}

// Line by line: LF and CR LF end a line, a lone CR is dropped, Ctrl-Z ends
// the file (a line it cuts is the last one), a final line end adds nothing.
Lines lineByLineModel(const std::string& bytes) {
  Lines lines;
  std::string line;
  bool open = false;  // a line has begun
  for (size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (c == 0x1A) break;
    if (c == '\n') {
      lines.push_back(line);
      line.clear();
      open = false;
    } else if (c == '\r') {
      open = true;  // dropped, yet the line has begun
      if (i + 1 < bytes.size() && bytes[i + 1] == '\n') {
        lines.push_back(line);
        line.clear();
        open = false;
        ++i;
      }
    } else {
      line += c;
      open = true;
    }
  }
  if (open) lines.push_back(line);
  return lines;
}

// Whole file: NUL ends the content; CR LF, LF and lone CR end lines.
Lines wholeFileModel(const std::string& bytes) {
  const std::string content = bytes.substr(0, bytes.find('\0'));
  Lines lines;
  std::string line;
  for (size_t i = 0; i < content.size(); ++i) {
    const char c = content[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(line);
      line.clear();
      if (c == '\r' && i + 1 < content.size() && content[i + 1] == '\n') ++i;
    } else {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

void useLine(const std::string& line) {
  const bool skipped = tht::isSkipped(line, "TEBA_ASIGNAT.TXT");
  if (!line.empty() && (line[0] == '0' || line[0] == '9')) check(skipped);
  for (long start : {-3L, 0L, 1L, 2L, 26L, static_cast<long>(line.size()), static_cast<long>(line.size()) + 1}) {
    for (long width : {0L, 1L, 4L, 150L}) {
      const std::string f = tht::field(line, start, width);
      const size_t from = static_cast<size_t>(start < 1 ? 0 : start - 1);
      check(f == (from >= line.size() ? std::string() : line.substr(from, static_cast<size_t>(width))));
      const std::string t = tht::trim(f);
      check(t.empty() || (static_cast<unsigned char>(t.front()) > 0x20 &&
                          static_cast<unsigned char>(t.back()) > 0x20));
      check(f.find(t) != std::string::npos);
      check(tht::trimmedField(line, start, width) == t);
    }
  }
  const std::string written = tht::writeField(line, 8);
  check(written.size() == std::max<size_t>(line.size(), 8));
  check(written.compare(0, line.size(), line) == 0);
  check(written.find_first_not_of(' ', line.size()) == std::string::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::string path = tht::fuzz::writeScratchFile("teba.txt", data, size);

  Lines byLine;
  tht::LineReader reader(path);
  while (!reader.eof()) byLine.push_back(reader.readLine());
  check(byLine == lineByLineModel(bytes));
  for (const std::string& line : byLine) useLine(line);

  const Lines whole = tht::readWholeFile(path);
  check(whole == wholeFileModel(bytes));
  check(tht::splitWholeFileContent(bytes) == whole);
  tht::WholeFile walked = tht::WholeFile::fromContent(bytes);
  std::string line;
  for (const std::string& expected : whole) {
    check(walked.nextLine(line));
    check(line == expected);
  }
  check(!walked.nextLine(line));
  tht::WholeFile streamed(path, tht::WholeFile::Reading::AsNeeded);
  for (const std::string& expected : whole) {
    check(streamed.nextLine(line));
    check(line == expected);
  }
  check(!streamed.nextLine(line));
  for (const std::string& l : whole) useLine(l);
  return 0;
}
