#include <gtest/gtest.h>

#include <vector>

#include "teba/line_reader.h"
#include "teba/whole_file.h"
#include "tests/support/temp_folder.h"

namespace tht {
namespace {

using Lines = std::vector<std::string>;
using test::TempFolder;

Lines readLineByLine(const std::string& path) {
  LineReader reader(path);
  Lines lines;
  while (!reader.eof()) lines.push_back(reader.readLine());
  return lines;
}

// Both ways of reading the same bytes.
struct BothWays {
  Lines lineByLine;
  Lines whole;
};

Lines readAsNeeded(const std::string& path) {
  WholeFile file(path, WholeFile::Reading::AsNeeded);
  Lines lines;
  for (std::string line; file.nextLine(line);) lines.push_back(line);
  return lines;
}

// Whole-file reading as needed must cut every content as reading it at once
// does: every case below checks that too.
BothWays read(const std::string& bytes) {
  TempFolder folder;
  const std::string path = folder.write("f.txt", bytes);
  const Lines whole = readWholeFile(path);
  EXPECT_EQ(readAsNeeded(path), whole);
  return {readLineByLine(path), whole};
}

// Streamed in blocks of 64 KiB: line ends, NULs and long lines at and across
// the edges of the blocks.
TEST(TebaReading, ReadingAsNeededCutsLinesAcrossBlockEdges) {
  const size_t block = 64 * 1024;
  for (size_t at : {block - 2, block - 1, block, block + 1, 2 * block - 1}) {
    SCOPED_TRACE("at " + std::to_string(at));
    const std::string before(at, 'x');
    EXPECT_EQ(read(before + "\r\nnext\r\n").whole, (Lines{before, "next"}));
    EXPECT_EQ(read(before + "\rnext").whole, (Lines{before, "next"}));
    EXPECT_EQ(read(before + "\r").whole, (Lines{before}));
    EXPECT_EQ(read(before + "\n\rlast").whole, (Lines{before, "", "last"}));
    EXPECT_EQ(read(before + std::string("\0after\r\n", 8)).whole, (Lines{before}));
    EXPECT_EQ(read(std::string("a\r\n") + before + std::string("b\0c", 3)).whole, (Lines{"a", before + "b"}));
  }
  // Many short lines over many blocks, and one line of three blocks.
  std::string many;
  Lines expected;
  for (int i = 0; i < 40000; ++i) {
    expected.push_back(std::to_string(i));
    many += expected.back() + (i % 3 == 0 ? "\r\n" : i % 3 == 1 ? "\n" : "\r");
  }
  EXPECT_EQ(read(many).whole, expected);
  const std::string longLine(3 * block + 7, 'y');
  EXPECT_EQ(read("h\n" + longLine + "\r\nt").whole, (Lines{"h", longLine, "t"}));
}

TEST(TebaReading, LineEndsCrLfAndLfAlike) {
  const std::string header = "0TEBA_ASIGNAT.TXT";
  for (const char* end : {"\r\n", "\n"}) {
    const std::string bytes = header + end + "1MAT" + end + "9TEBA" + end;
    const Lines expected{header, "1MAT", "9TEBA"};
    const BothWays got = read(bytes);
    EXPECT_EQ(got.lineByLine, expected);
    EXPECT_EQ(got.whole, expected);
  }
}

TEST(TebaReading, LoneCrIsDroppedOrEndsTheLine) {
  const BothWays got = read("ab\rcd\r\n");
  EXPECT_EQ(got.lineByLine, (Lines{"abcd"}));
  EXPECT_EQ(got.whole, (Lines{"ab", "cd"}));
  // LF CR: two line ends with an empty line between, in whole-file reading.
  EXPECT_EQ(read("a\n\rb").whole, (Lines{"a", "", "b"}));
  EXPECT_EQ(read("a\n\rb").lineByLine, (Lines{"a", "b"}));
  // A CR at the very end of the file.
  EXPECT_EQ(read("a\r").lineByLine, (Lines{"a"}));
  EXPECT_EQ(read("a\r").whole, (Lines{"a"}));
}

TEST(TebaReading, FinalLineEndAndEmptyLines) {
  EXPECT_EQ(read("a\nb").lineByLine, (Lines{"a", "b"}));
  EXPECT_EQ(read("a\nb").whole, (Lines{"a", "b"}));
  EXPECT_EQ(read("a\nb\n").lineByLine, (Lines{"a", "b"}));
  EXPECT_EQ(read("a\nb\n").whole, (Lines{"a", "b"}));
  EXPECT_EQ(read("a\r\n\r\nb\r\n").lineByLine, (Lines{"a", "", "b"}));
  EXPECT_EQ(read("a\r\n\r\nb\r\n").whole, (Lines{"a", "", "b"}));
  EXPECT_EQ(read("").lineByLine, Lines{});
  EXPECT_EQ(read("").whole, Lines{});
  EXPECT_EQ(read("\n").lineByLine, Lines{""});
  EXPECT_EQ(read("\n").whole, Lines{""});
}

TEST(TebaReading, CtrlZEndsOnlyLineByLineReading) {
  EXPECT_EQ(read("\x1A").lineByLine, Lines{});
  EXPECT_EQ(read("\x1A").whole, Lines{"\x1A"});
  EXPECT_EQ(read("a\r\n\x1A").lineByLine, Lines{"a"});
  EXPECT_EQ(read("a\r\n\x1A").whole, (Lines{"a", "\x1A"}));
  const BothWays inside = read("a\r\nbc\x1A" "de\r\nf\r\n");
  EXPECT_EQ(inside.lineByLine, (Lines{"a", "bc"}));
  EXPECT_EQ(inside.whole, (Lines{"a", "bc\x1A" "de", "f"}));
}

TEST(TebaReading, NulIsOrdinaryOrEndsTheContent) {
  const BothWays got = read(std::string("a\0b\r\nc\r\n", 8));
  EXPECT_EQ(got.lineByLine, (Lines{std::string("a\0b", 3), "c"}));
  EXPECT_EQ(got.whole, Lines{"a"});
  EXPECT_EQ(splitWholeFileContent(std::string("x\r\ny\0z", 6)), (Lines{"x", "y"}));
}

TEST(TebaReading, LinesLongerThanTheBufferAndCrLfAcrossBufferEdges) {
  const std::string longLine(200000, 'x');
  // Place CR exactly at the end of the first 64 KiB read.
  const std::string first(65535, 'a');
  const BothWays got = read(longLine + "\r\n" + "y\n" + first + "\r\nz");
  EXPECT_EQ(got.lineByLine.size(), 4u);
  EXPECT_EQ(got.lineByLine[0], longLine);
  EXPECT_EQ(got.lineByLine[1], "y");
  EXPECT_EQ(got.lineByLine[2], first);
  EXPECT_EQ(got.lineByLine[3], "z");
  EXPECT_EQ(got.whole, got.lineByLine);
  const BothWays edge = read(std::string(65535, 'b') + "\r\nq");
  EXPECT_EQ(edge.lineByLine, (Lines{std::string(65535, 'b'), "q"}));
}

}  // namespace
}  // namespace tht
