// Paths joined and split by each system's rules. The Windows rules are
// checked here too, through their style: the TEBA folder's "\" ending, the
// doubled backslash at a drive's root, the drive root kept whole.
#include <gtest/gtest.h>

#include "platform/files.h"

namespace tht {
namespace {

TEST(Paths, JoinAddsOneSeparatorOfTheStyle) {
  EXPECT_EQ(joinPath("C:\\TEBA", "teba_prof.txt", kWindowsPaths), "C:\\TEBA\\teba_prof.txt");
  EXPECT_EQ(joinPath("C:\\TEBA\\", "teba_prof.txt", kWindowsPaths), "C:\\TEBA\\teba_prof.txt");
  EXPECT_EQ(joinPath("Z:/tmp/", "x.dbf", kWindowsPaths), "Z:/tmp/x.dbf");
  // The TEBA folder at a drive's root: "C:\" and the run's "\" give two.
  EXPECT_EQ(joinPath(std::string("C:\\") + '\\', "teba_asignat.txt", kWindowsPaths), "C:\\\\teba_asignat.txt");
  EXPECT_EQ(joinPath("", "x", kWindowsPaths), "x");
  EXPECT_EQ(joinPath("/srv/teba", "x", kPosixPaths), "/srv/teba/x");
  EXPECT_EQ(joinPath("/", "x", kPosixPaths), "/x");
  // A backslash is an ordinary character of a Linux name.
  EXPECT_EQ(joinPath("a\\", "x", kPosixPaths), "a\\/x");
  // The system's own style.
  EXPECT_EQ(joinPath("a", "b"), std::string("a") + pathSeparator() + "b");
  EXPECT_EQ(pathSeparator(), systemPathStyle().separator);
}

TEST(Paths, FinalSeparatorsGoExceptARootsOne) {
  EXPECT_EQ(withoutFinalSeparator("C:\\", kWindowsPaths), "C:\\");
  EXPECT_EQ(withoutFinalSeparator("C:/", kWindowsPaths), "C:/");
  EXPECT_EQ(withoutFinalSeparator("C:\\TEBA\\", kWindowsPaths), "C:\\TEBA");
  EXPECT_EQ(withoutFinalSeparator("C:\\TEBA\\/\\", kWindowsPaths), "C:\\TEBA");
  EXPECT_EQ(withoutFinalSeparator("\\\\", kWindowsPaths), "\\");
  EXPECT_EQ(withoutFinalSeparator("C:", kWindowsPaths), "C:");
  EXPECT_EQ(withoutFinalSeparator("TEBA\\", kWindowsPaths), "TEBA");
  EXPECT_EQ(withoutFinalSeparator("/", kPosixPaths), "/");
  EXPECT_EQ(withoutFinalSeparator("//", kPosixPaths), "/");
  EXPECT_EQ(withoutFinalSeparator("/srv/teba//", kPosixPaths), "/srv/teba");
  EXPECT_EQ(withoutFinalSeparator("teba\\", kPosixPaths), "teba\\");
  EXPECT_EQ(withoutFinalSeparator("", kPosixPaths), "");
}

TEST(Paths, SplitKeepsARootWhole) {
  auto split = [](const std::string& path, PathStyle style) {
    const PathParts parts = splitPath(path, style);
    return parts.folder + "|" + parts.name;
  };
  EXPECT_EQ(split("C:\\HTEMP\\SOLUC.DBF", kWindowsPaths), "C:\\HTEMP|SOLUC.DBF");
  EXPECT_EQ(split("C:\\SOLUC.DBF", kWindowsPaths), "C:\\|SOLUC.DBF");
  EXPECT_EQ(split("C:SOLUC.DBF", kWindowsPaths), "C:|SOLUC.DBF");
  EXPECT_EQ(split("Z:\\tmp/work/SOLUC.DBF", kWindowsPaths), "Z:\\tmp/work|SOLUC.DBF");
  EXPECT_EQ(split("work\\SOLUC.DBF", kWindowsPaths), "work|SOLUC.DBF");
  EXPECT_EQ(split("\\SOLUC.DBF", kWindowsPaths), "\\|SOLUC.DBF");
  EXPECT_EQ(split("SOLUC.DBF", kWindowsPaths), ".|SOLUC.DBF");
  EXPECT_EQ(split("/SOLUC.DBF", kPosixPaths), "/|SOLUC.DBF");
  EXPECT_EQ(split("work/sub/SOLUC.DBF", kPosixPaths), "work/sub|SOLUC.DBF");
  EXPECT_EQ(split("work/", kPosixPaths), "work|");
  EXPECT_EQ(split("C:\\SOLUC.DBF", kPosixPaths), ".|C:\\SOLUC.DBF");
}

}  // namespace
}  // namespace tht
