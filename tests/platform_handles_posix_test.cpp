// The platform's opens on Linux: what a failure carries (the Windows-style
// code, the system's text, what it means to the caller) and how the
// advisory locks keep openers apart.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/input_file.h"
#include "platform/random_access_file.h"
#include "tests/support/temp_folder.h"

namespace tht {
namespace {

using test::TempFolder;
using Kind = SystemError::Kind;

// Another opener's lock on a file, as another program would hold it.
class HeldLock {
 public:
  HeldLock(const std::string& path, int operation) : fd_(::open(path.c_str(), O_RDONLY)) {
    EXPECT_EQ(::flock(fd_, operation | LOCK_NB), 0);
  }
  ~HeldLock() { ::close(fd_); }

 private:
  int fd_;
};

TEST(InputFileTest, FailuresCarryCodeAndSystemText) {
  TempFolder folder;
  InputFile file;
  SystemError error = file.open(folder.file("missing.txt"));
  EXPECT_EQ(error.code, 2);
  EXPECT_EQ(error.text, "No such file or directory");
  EXPECT_FALSE(file.isOpen());

  error = file.open(folder.path());
  EXPECT_EQ(error.code, 5);
  EXPECT_EQ(error.text, "Is a directory");

  const std::string path = folder.write("held.txt", "abc");
  {
    HeldLock writer(path, LOCK_EX);
    error = file.open(path);
    EXPECT_EQ(error.kind, Kind::Busy);
    EXPECT_EQ(error.code, 32);
    EXPECT_EQ(error.text, "Resource temporarily unavailable");
  }
  // Readers share it.
  HeldLock reader(path, LOCK_SH);
  ASSERT_FALSE(file.open(path));
  uint64_t size = 0;
  EXPECT_FALSE(file.size(size));
  EXPECT_EQ(size, 3u);
  char buffer[8];
  size_t got = 0;
  EXPECT_FALSE(file.read(buffer, sizeof buffer, got));
  EXPECT_EQ(std::string(buffer, got), "abc");
  EXPECT_FALSE(file.read(buffer, sizeof buffer, got));
  EXPECT_EQ(got, 0u);
}

TEST(InputFileTest, MovedFileKeepsItsLockAndTheSourceIsClosed) {
  TempFolder folder;
  const std::string path = folder.write("a.txt", "x");
  InputFile first;
  ASSERT_FALSE(first.open(path));
  InputFile second(std::move(first));
  EXPECT_FALSE(first.isOpen());
  EXPECT_TRUE(second.isOpen());
  EXPECT_TRUE(heldByOtherOpeners(path));
  second.close();
  EXPECT_FALSE(heldByOtherOpeners(path));
}

TEST(RandomAccessFileTest, OpenFailuresSayWhatTheyMean) {
  TempFolder folder;
  RandomAccessFile file;
  EXPECT_EQ(file.open(folder.file("NONE.DBF"), RandomAccessFile::Access::SharedReadWrite).kind, Kind::Missing);
  EXPECT_EQ(file.open(folder.path(), RandomAccessFile::Access::SharedReadOnly).kind, Kind::Missing);
  const std::string path = folder.write("A.DBF", "0123456789");
  SystemError error = file.open(path + "/B.DBF", RandomAccessFile::Access::SharedReadOnly);
  EXPECT_EQ(error.kind, Kind::Missing);
  EXPECT_EQ(error.code, 3);
  EXPECT_EQ(error.text, "Not a directory");

  RandomAccessFile other;
  ASSERT_FALSE(other.open(path, RandomAccessFile::Access::SharedReadOnly));
  EXPECT_EQ(file.open(path, RandomAccessFile::Access::Exclusive).kind, Kind::Busy);
  EXPECT_FALSE(file.open(path, RandomAccessFile::Access::SharedReadWrite));
  other.close();
  ASSERT_FALSE(file.open(path, RandomAccessFile::Access::Exclusive));
  error = other.open(path, RandomAccessFile::Access::SharedReadOnly);
  EXPECT_EQ(error.kind, Kind::Busy);
  EXPECT_EQ(error.code, 32);
}

TEST(RandomAccessFileTest, PositionedReadsAndWritesReachTheFile) {
  TempFolder folder;
  const std::string path = folder.write("A.DBF", "0123456789");
  RandomAccessFile file;
  ASSERT_FALSE(file.open(path, RandomAccessFile::Access::Exclusive));
  EXPECT_FALSE(file.writeAt(8, "abcd", 4));
  EXPECT_FALSE(file.writeAt(2, "X", 1));
  EXPECT_FALSE(file.flushToDisk());
  uint64_t size = 0;
  EXPECT_FALSE(file.size(size));
  EXPECT_EQ(size, 12u);
  char buffer[16];
  size_t got = 0;
  EXPECT_FALSE(file.readAt(6, buffer, sizeof buffer, got));
  EXPECT_EQ(std::string(buffer, got), "67abcd");
  file.close();
  EXPECT_EQ(test::readBytes(path), "01X34567abcd");

  // Read only: a write is refused with the system's cause.
  ASSERT_FALSE(file.open(path, RandomAccessFile::Access::SharedReadOnly));
  const SystemError refused = file.writeAt(0, "Z", 1);
  EXPECT_EQ(refused.code, EBADF);
  EXPECT_EQ(refused.text, "Bad file descriptor");
}

TEST(Folders, ProgramAndWorkingDirectoryAreTheProcesses) {
  EXPECT_EQ(programPath(), std::filesystem::canonical("/proc/self/exe").string());
  EXPECT_EQ(joinPath(programFolder(), programFileName()), programPath());
  EXPECT_EQ(programFileName(), "platform_test");
  EXPECT_EQ(workingDirectory(), std::filesystem::current_path().string());
}

TEST(Clock, LocalTimeIsNow) {
  const std::time_t before = std::time(nullptr);
  std::tm now = localTimeNow();
  const std::time_t after = std::time(nullptr);
  const std::time_t read = std::mktime(&now);
  EXPECT_GE(read, before);
  EXPECT_LE(read, after);
}

TEST(Folders, ListingGivesEveryEntryButDots) {
  TempFolder folder;
  folder.write("b.txt", "");
  folder.write("A.DBF", "");
  std::filesystem::create_directory(folder.file("sub"));
  std::vector<std::string> names;
  SystemError error;
  ASSERT_TRUE(listFolder(folder.path(), names, error));
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"A.DBF", "b.txt", "sub"}));
  EXPECT_FALSE(listFolder(folder.file("none"), names, error));
  EXPECT_EQ(error.code, 2);
  EXPECT_EQ(error.text, "No such file or directory");
}

}  // namespace
}  // namespace tht
