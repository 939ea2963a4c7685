#include <gtest/gtest.h>

#include "platform/cp1252.h"

namespace tht {
namespace {

TEST(Cp1252, ConvertsEveryByteToUnicodeAndBack) {
  EXPECT_EQ(cp1252ToUtf8("Matem\xE1ticas \x80 \xBD"), "Matem\xC3\xA1ticas \xE2\x82\xAC \xC2\xBD");
  EXPECT_EQ(cp1252ToUtf8("\x81\x9D"), "\xC2\x81\xC2\x9D");
  EXPECT_EQ(utf8ToCp1252("Matem\xC3\xA1ticas \xE2\x82\xAC \xC2\xBD"), "Matem\xE1ticas \x80 \xBD");
  // A character code page 1252 lacks becomes '?'.
  EXPECT_EQ(utf8ToCp1252("a\xE2\x88\x9E" "b"), "a?b");
  for (int c = 0; c < 256; ++c) {
    const std::string byte(1, static_cast<char>(c));
    EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(byte)), byte) << c;
  }
}

TEST(Cp1252, FoldsCapitalsIncludingAccentedOnes) {
  EXPECT_EQ(foldCase("MAT"), "mat");
  EXPECT_EQ(foldCase("\xC1\xD1\xDE\x8A\x8C\x8E\x9F"), "\xE1\xF1\xFE\x9A\x9C\x9E\xFF");
  // The multiplication sign and sharp s have no case partner.
  EXPECT_EQ(foldCase("\xD7\xDF"), "\xD7\xDF");
}

TEST(Cp1252, ComparisonIgnoresOnlyLetterCase) {
  EXPECT_EQ(compareIgnoringCase("MAT", "mat"), 0);
  EXPECT_EQ(compareIgnoringCase("M\xC1T", "m\xE1t"), 0);
  EXPECT_NE(compareIgnoringCase("MAT", "M\xC1T"), 0);
  EXPECT_NE(compareIgnoringCase("\xDF", "ss"), 0);
  EXPECT_NE(compareIgnoringCase("MAT", "MATE"), 0);
  // Digit-only texts keep plain character order.
  EXPECT_LT(compareIgnoringCase("1000", "900"), 0);
  EXPECT_LT(compareIgnoringCase("abc", "ABD"), 0);
  EXPECT_GT(compareIgnoringCase("b", "A"), 0);
}

TEST(Cp1252, AsciiFoldingLeavesEveryOtherByte) {
  EXPECT_EQ(upperAscii("teba_asignat.txt \xF1\xE1@[`{"), "TEBA_ASIGNAT.TXT \xF1\xE1@[`{");
  EXPECT_EQ(lowerAscii("TEBA_ASIGNAT.TXT \xD1\xC1@[`{"), "teba_asignat.txt \xD1\xC1@[`{");
}

}  // namespace
}  // namespace tht
