// The ini writer as the window's close uses it: keys and sections added or
// replaced, what cannot be written refused and left as it was.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "platform/error.h"
#include "platform/ini_file.h"
#include "tests/support/temp_folder.h"

namespace tht::test {
namespace {

class IniFile : public ::testing::Test {
 protected:
  TempFolder folder;
  std::string path() const { return folder.file("Horavent.ini"); }
  std::string write(const std::string& before, const std::string& value = "1") {
    if (!before.empty()) folder.write("Horavent.ini", before);
    writeProfileString(path(), "Transformadores", "Transformado", value);
    return readBytes(path());
  }
};

TEST_F(IniFile, KeysAndSectionsAreAddedOrReplacedAndTheRestKept) {
  EXPECT_EQ(write(""), "[Transformadores]\r\nTransformado=1\r\n");
  EXPECT_EQ(write("; Horavent\r\n[General]\r\nRuta=C:\\HTEMP\r\n\r\n[TRANSFORMADORES]\r\n  transformado = 0\r\nOtro=x\r\n\r\n[Fin]\r\n", "-1"),
            "; Horavent\r\n[General]\r\nRuta=C:\\HTEMP\r\n\r\n[TRANSFORMADORES]\r\nTransformado=-1\r\nOtro=x\r\n\r\n[Fin]\r\n");
  EXPECT_EQ(write("[Transformadores]\r\nOtro=x\r\n\r\n[Fin]\r\na=b\r\n"),
            "[Transformadores]\r\nOtro=x\r\nTransformado=1\r\n\r\n[Fin]\r\na=b\r\n");
  EXPECT_EQ(write("[General]\nRuta=/x\n"), "[General]\nRuta=/x\n[Transformadores]\nTransformado=1\n");
  EXPECT_EQ(write("[General]\r\nRuta=/x"), "[General]\r\nRuta=/x\r\n[Transformadores]\r\nTransformado=1\r\n");
  // A key of the same name in another section is not this one.
  EXPECT_EQ(write("[Otra]\r\nTransformado=7\r\n", "0"), "[Otra]\r\nTransformado=7\r\n[Transformadores]\r\nTransformado=0\r\n");
}

TEST_F(IniFile, AFileThatCannotBeWrittenIsAnErrorAndStaysAsItWas) {
  folder.write("Horavent.ini", "[General]\r\n");
  ASSERT_EQ(::chmod(folder.path().c_str(), 0555), 0);
  if (::access(folder.path().c_str(), W_OK) == 0) {
    ::chmod(folder.path().c_str(), 0755);
    GTEST_SKIP() << "permissions do not bind this user (root)";
  }
  try {
    writeProfileString(path(), "Transformadores", "Transformado", "1");
    ADD_FAILURE() << "wrote into a read-only folder";
  } catch (const Error& error) {
    EXPECT_EQ(error.what(), "Unable to write to " + path());
  }
  ::chmod(folder.path().c_str(), 0755);
  EXPECT_EQ(readBytes(path()), "[General]\r\n");
}

// A read-only file is refused as the profile writer refuses it, even where
// its folder would let a rename replace it (and even for root).
TEST_F(IniFile, AReadOnlyFileIsAnErrorAndStaysAsItWas) {
  const std::string before = "[Transformadores]\r\nTransformado=0\r\n";
  folder.write("Horavent.ini", before);
  ASSERT_EQ(::chmod(path().c_str(), 0444), 0);
  try {
    writeProfileString(path(), "Transformadores", "Transformado", "1");
    ADD_FAILURE() << "replaced a read-only file";
  } catch (const Error& error) {
    EXPECT_EQ(error.what(), "Unable to write to " + path());
  }
  EXPECT_EQ(readBytes(path()), before);
  struct stat st;
  ASSERT_EQ(::stat(path().c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0444u);
  // A folder in the file's place cannot be written either.
  TempFolder other;
  ASSERT_EQ(::mkdir(other.file("Horavent.ini").c_str(), 0755), 0);
  EXPECT_THROW(writeProfileString(other.file("Horavent.ini"), "Transformadores", "Transformado", "1"), Error);
}

// An ini file that is a link to a shared one: the shared file gets the key
// and the link stays a link.
TEST_F(IniFile, ALinkIsWrittenThroughToItsTarget) {
  TempFolder shared;
  const std::string target = shared.write("Horavent.ini", "[General]\r\nRuta=x\r\n");
  ASSERT_EQ(::symlink(target.c_str(), path().c_str()), 0);
  writeProfileString(path(), "Transformadores", "Transformado", "-1");
  struct stat st;
  ASSERT_EQ(::lstat(path().c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  EXPECT_EQ(readBytes(target), "[General]\r\nRuta=x\r\n[Transformadores]\r\nTransformado=-1\r\n");
}

}  // namespace
}  // namespace tht::test
