// The import run against other programs on Linux: tables another process
// holds with an advisory lock, a save cut short by a file size limit, and a
// timetable whose name differs in letter case (on Windows the file system
// matches it).
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "platform/error.h"
#include "tests/import_fixture.h"

namespace tht::test {
namespace {

using ImportRun = ImportFixture;

// Runs `body` in a child process and returns its exit status.
template <typename Body>
int inChild(Body body) {
  const pid_t pid = ::fork();
  if (pid == 0) ::_exit(body());
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 100;
}

TEST_F(ImportRun, TableHeldByAnotherProgram) {
  writeLessons({{"1", "1", "GAR", "1A", "MAT", "A101"}});
  const std::string earlier = teba.write("TEBA_HORARIO.TXT", "earlier file\r\n");
  for (const char* held : {"SOLUC.DBF", "AULAT.DBF", "DIASHORAST.DBF"}) {
    int toChild[2];
    int fromChild[2];
    ASSERT_EQ(::pipe(toChild), 0);
    ASSERT_EQ(::pipe(fromChild), 0);
    const std::string path = work.file(held);
    const pid_t pid = ::fork();
    if (pid == 0) {
      // Another program: holds the table until told to let go.
      const int fd = ::open(path.c_str(), O_RDWR);
      const char locked = (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0) ? 'y' : 'n';
      (void)!::write(fromChild[1], &locked, 1);
      char go;
      (void)!::read(toChild[0], &go, 1);
      ::_exit(0);
    }
    char locked = 'n';
    ASSERT_EQ(::read(fromChild[0], &locked, 1), 1);
    EXPECT_EQ(locked, 'y');
    EXPECT_FALSE(runError().empty()) << held;
    EXPECT_FALSE(anyTableOpen()) << held;
    EXPECT_EQ(readBytes(earlier), "earlier file\r\n") << held;
    (void)!::write(toChild[1], "g", 1);
    ::waitpid(pid, nullptr, 0);
    for (int fd : {toChild[0], toChild[1], fromChild[0], fromChild[1]}) ::close(fd);
  }
  EXPECT_FALSE(run());
  EXPECT_EQ(output(), header() + "10001LGAR 1A  LEC MAT A101\r\n" + trailer(1));
}

TEST_F(ImportRun, SaveFailingPartWayKeepsTheEarlierFile) {
  std::vector<std::vector<std::string>> lessons(200, {"2", "1", "PER", "1B", "LEN", "A102"});
  writeLessons(lessons);
  const std::string earlierBytes(3000, 'e');
  const std::string earlier = teba.write("TEBA_HORARIO.TXT", earlierBytes);
  // The child may write files of at most 1000 bytes: the save stops part-way,
  // as it would on a full disk.
  const int status = inChild([&] {
    ::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limit {1000, 1000};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    try {
      run();
    } catch (const Error& e) {
      const std::string prefix = "Cannot create file \"" + earlier + "\". ";
      return std::string(e.what()).rfind(prefix, 0) == 0 ? 0 : 2;
    }
    return 1;
  });
  EXPECT_EQ(status, 0);
  EXPECT_EQ(readBytes(earlier), earlierBytes);
  size_t entries = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(teba.path())) ++entries;
  EXPECT_EQ(entries, 3u) << "a temporary file was left behind";
}

TEST_F(ImportRun, ReplacesTheFileWhateverItsLetterCase) {
  const std::string earlier = teba.write("teba_horario.txt", "earlier file\r\n");
  run();
  EXPECT_EQ(readBytes(earlier), header() + trailer(0));
  EXPECT_FALSE(std::filesystem::exists(teba.file("TEBA_HORARIO.TXT")));
}

}  // namespace
}  // namespace tht::test
