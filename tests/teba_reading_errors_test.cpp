// Reading errors and their messages on Linux: missing files and folders,
// a file another program holds with an advisory lock, the system's texts.
#include <gtest/gtest.h>
#include <sys/file.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/error.h"
#include "platform/files.h"
#include "teba/line_reader.h"
#include "teba/whole_file.h"
#include "tests/support/temp_folder.h"

namespace tht {
namespace {

using test::TempFolder;

TEST(TebaReading, LineByLineErrorsCarryTheirCodeMessages) {
  TempFolder folder;
  try {
    LineReader reader(folder.file("teba_prof.txt"));
    FAIL() << "opened a missing file";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "No se encuentra el archivo");
  }
  try {
    LineReader reader(folder.file("nofolder/x.txt/y"));
    FAIL();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "No se encuentra el archivo");
  }
  try {
    LineReader reader(folder.path());
    FAIL() << "opened a folder";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Acceso al archivo denegado");
  }
  // A file another program holds exclusively.
  const std::string path = folder.write("held.txt", "a\r\n");
  const int holder = ::open(path.c_str(), O_RDWR);
  ASSERT_EQ(::flock(holder, LOCK_EX), 0);
  try {
    LineReader reader(path);
    FAIL() << "opened a held file";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Error de E/S 32");
  }
  EXPECT_THROW(readWholeFile(path), Error);
  ::close(holder);
  // Two readers share the file.
  LineReader one(path);
  LineReader two(path);
  EXPECT_EQ(two.readLine(), "a");
}

TEST(TebaReading, WholeFileErrorNamesThePathAndCause) {
  TempFolder folder;
  const std::string path = folder.file("teba_sesiones.txt");
  try {
    readWholeFile(path);
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot open file \"" + path + "\". " + systemErrorText(ENOENT));
  }
}

}  // namespace
}  // namespace tht
