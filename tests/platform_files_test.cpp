#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "platform/error.h"
#include "platform/files.h"
#include "tests/support/temp_folder.h"

namespace tht {
namespace {

using test::TempFolder;

TEST(Files, ResolvesNamesIgnoringCaseExactFirst) {
  TempFolder folder;
  folder.write("TEBA_ASIGNAT.TXT", "a");
  EXPECT_EQ(resolveInFolder(folder.path(), "teba_asignat.txt"), folder.file("TEBA_ASIGNAT.TXT"));
  folder.write("teba_asignat.txt", "b");
  EXPECT_EQ(resolveInFolder(folder.path(), "teba_asignat.txt"), folder.file("teba_asignat.txt"));
  // Without an exact match the first name in byte order wins.
  folder.write("Teba_Prof.txt", "c");
  folder.write("TEBA_prof.TXT", "d");
  EXPECT_EQ(resolveInFolder(folder.path() + "/", "teba_prof.txt"), folder.file("TEBA_prof.TXT"));
  // A missing file keeps the asked name.
  EXPECT_EQ(resolveInFolder(folder.path(), "teba_aulas.txt"), folder.file("teba_aulas.txt"));
  EXPECT_EQ(resolveInFolder(folder.file("missing"), "x"), folder.file("missing") + "/x");
}

TEST(Files, ExistenceAndDeletion) {
  TempFolder folder;
  const std::string path = folder.write("a.dbf", "x");
  EXPECT_TRUE(fileExists(path));
  EXPECT_FALSE(folderExists(path));
  EXPECT_TRUE(folderExists(folder.path()));
  EXPECT_FALSE(fileExists(folder.path()));
  EXPECT_TRUE(deleteFileIfPresent(path));
  EXPECT_FALSE(fileExists(path));
  EXPECT_FALSE(deleteFileIfPresent(path));
}

TEST(Files, AtomicReplacementKeepsModeAndLeavesNoTemporaryFile) {
  TempFolder folder;
  const std::string path = folder.write("out.txt", "old");
  ::chmod(path.c_str(), 0640);
  replaceFileAtomically(path, std::string("new\0bytes", 9));
  EXPECT_EQ(test::readBytes(path), std::string("new\0bytes", 9));
  struct stat st;
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  int entries = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
    (void)entry;
    ++entries;
  }
  EXPECT_EQ(entries, 1);
}

TEST(Files, FailedReplacementKeepsTheOldFile) {
  TempFolder folder;
  const std::string missing = folder.file("no/such/out.txt");
  try {
    replaceFileAtomically(missing, "x");
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot create file \"" + missing + "\". " + systemErrorText(ENOENT));
  }
  if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
  const std::string path = folder.write("keep.txt", "old");
  ::chmod(folder.path().c_str(), 0555);
  EXPECT_THROW(replaceFileAtomically(path, "new"), Error);
  ::chmod(folder.path().c_str(), 0755);
  EXPECT_EQ(test::readBytes(path), "old");
}

TEST(Files, WindowsErrorCodes) {
  EXPECT_EQ(windowsErrorCode(ENOENT), 2);
  EXPECT_EQ(windowsErrorCode(ENOTDIR), 3);
  EXPECT_EQ(windowsErrorCode(EMFILE), 4);
  EXPECT_EQ(windowsErrorCode(EACCES), 5);
  EXPECT_EQ(windowsErrorCode(EISDIR), 5);
  EXPECT_EQ(windowsErrorCode(EWOULDBLOCK), 32);
  EXPECT_EQ(windowsErrorCode(ENOSPC), 112);
  EXPECT_EQ(windowsErrorCode(EIO), 23);
  EXPECT_EQ(windowsErrorCode(EINTR), 31);
  EXPECT_EQ(windowsErrorCode(ENETUNREACH), 31);
  EXPECT_EQ(windowsErrorCode(ENXIO), ENXIO);
}

}  // namespace
}  // namespace tht
