#include <gtest/gtest.h>

#include "platform/error.h"
#include "teba/records.h"
#include "tests/support/temp_folder.h"

namespace tht {
namespace {

TEST(TebaFields, ExtractionNeverFailsOnShortLines) {
  EXPECT_EQ(field("1MAT  Matematicas", 2, 5), "MAT  ");
  EXPECT_EQ(field("1MA", 2, 5), "MA");
  EXPECT_EQ(field("1", 2, 5), "");
  EXPECT_EQ(field("", 1, 1), "");
  EXPECT_EQ(field("abc", 0, 1), "a");
  EXPECT_EQ(field("abc", -4, 2), "ab");
  EXPECT_EQ(field("abc", 3, 1), "c");
  EXPECT_EQ(field("abc", 2, 0), "");
}

TEST(TebaFields, TrimmingRemovesControlBytesAndKeepsNoBreakSpace) {
  EXPECT_EQ(trim(std::string("\t\0\r MAT \x1A\n", 10)), "MAT");
  EXPECT_EQ(trim("\xA0" "A B\xA0"), "\xA0" "A B\xA0");
  EXPECT_EQ(trim(" \t "), "");
  EXPECT_EQ(trimmedField("1  MAT  x", 2, 6), "MAT");
}

TEST(TebaFields, SkipTest) {
  const std::string name = "TEBA_ASIGNAT.TXT";
  EXPECT_TRUE(isSkipped("0anything", name));
  EXPECT_TRUE(isSkipped("9", name));
  EXPECT_TRUE(isSkipped("1  teba_asignat.txt   ", name));
  EXPECT_FALSE(isSkipped(" 0TEBA", name));
  EXPECT_FALSE(isSkipped("", name));
  EXPECT_FALSE(isSkipped("      ", name));
  EXPECT_FALSE(isSkipped("1teba_asignat.txtx", name));
  // The groups reader expects the name with a final S.
  EXPECT_FALSE(isSkipped("1TEBA_GRUPO.TXT", "TEBA_GRUPOS.TXT"));
  EXPECT_TRUE(isSkipped("1TEBA_GRUPOS.TXT", "TEBA_GRUPOS.TXT"));
  // Only columns 2-51 count: the name followed by other text after column 51.
  EXPECT_TRUE(isSkipped("1" + std::string("TEBA_ASIGNAT.TXT") + std::string(34, ' ') + "XYZ", name));
}

TEST(TebaFields, WritingPadsAndNeverCuts) {
  EXPECT_EQ(writeField("abc", 8), "abc     ");
  EXPECT_EQ(writeField("abcdefgh", 8), "abcdefgh");
  EXPECT_EQ(writeField("abcdefghij", 8) + "X", "abcdefghijX");
  EXPECT_EQ(writeField("", 3), "   ");
}

TEST(TebaRecords, HeaderAndTrailerLayout) {
  const std::string header = headerRecord("TEBA_HORARIO.TXT", "28001234", "091220261405");
  EXPECT_EQ(header, "0TEBA_HORARIO.TXT" + std::string(34, ' ') + "28001234091220261405");
  EXPECT_EQ(header.size(), 71u);
  const std::string shortCentre = headerRecord("TEBA_HORARIO.TXT", "28", "091220261405");
  EXPECT_EQ(shortCentre.substr(51), "28      091220261405");
  const std::string trailer = trailerRecord("TEBA_HORARIO.TXT", "28", "091220261406", 0);
  EXPECT_EQ(trailer.size(), 72u);
  EXPECT_EQ(trailer[0], '9');
  EXPECT_EQ(trailer.substr(59), "0912202614060");
  EXPECT_EQ(trailerRecord("T", "", "091220261406", 1234).substr(59), "0912202614061234");
}

TEST(TebaRecords, FileWritingEndsEveryLineWithCrLf) {
  test::TempFolder folder;
  const std::string path = folder.write("TEBA_HORARIO.TXT", "old content");
  writeTebaFile(path, {"0H", "", "9T0"});
  EXPECT_EQ(test::readBytes(path), "0H\r\n\r\n9T0\r\n");
  writeTebaFile(path, {});
  EXPECT_EQ(test::readBytes(path), "");
}

}  // namespace
}  // namespace tht
