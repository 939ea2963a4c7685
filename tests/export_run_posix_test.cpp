// The export run against the POSIX file system: an input another program
// holds with an advisory lock, an input without read permission, and a
// work folder that is missing.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "export/export_run.h"
#include "platform/files.h"
#include "tests/export_run_fixture.h"

namespace tht {
namespace {

// Holds a file the way a writing program does: an exclusive lock on an open
// file of its own, released on destruction.
class WriterHold {
 public:
  explicit WriterHold(const std::string& path) : fd_(::open(path.c_str(), O_RDWR)) {
    EXPECT_GE(fd_, 0);
    EXPECT_EQ(::flock(fd_, LOCK_EX | LOCK_NB), 0);
  }
  ~WriterHold() { release(); }
  void release() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }

 private:
  int fd_;
};

TEST_F(ExportRun, InputHeldByAWriterEndsTheRunAndASecondRunStartsClean) {
  writeAllInputs();
  writeOldTables();
  WriterHold hold(teba.file("teba_prof.txt"));

  EXPECT_EQ(runExpectingError(), "Error de E/S 32");
  // The pointer is back to normal; no closing message; the export failed.
  EXPECT_EQ(notifier.events, (Events{"busy on", "busy off"}));
  EXPECT_EQ(session.ResultadoTraspaso, -1);
  expectRebuilt(kCatalogues[0], 1);
  // The failing step kept its old table; the later steps did not run.
  for (size_t i = 1; i < kCatalogues.size(); ++i) expectOldTable(kCatalogues[i]);

  hold.release();
  notifier.events.clear();
  EXPECT_FALSE(BExportarClick(session, teba.path(), env));
  EXPECT_EQ(session.ResultadoTraspaso, 1);
  EXPECT_EQ(notifier.events, kWentThrough);
  for (const Catalogue& c : kCatalogues) expectRebuilt(c, c.rows);
}

TEST_F(ExportRun, ErrorAfterAMissingInputStillFails) {
  session.ModoIntegrado = 2;
  writeInput(kCatalogues[1]);
  writeOldTables();
  WriterHold hold(teba.file("teba_prof.txt"));
  EXPECT_EQ(runExpectingError(), "Error de E/S 32");
  EXPECT_EQ(notifier.events, (Events{"busy on", kCatalogues[0].missingMessage, "busy off"}));
  EXPECT_EQ(session.ResultadoTraspaso, -1);
  for (const Catalogue& c : kCatalogues) expectOldTable(c);
}

TEST_F(ExportRun, UnreadableInputEndsTheRun) {
  writeAllInputs();
  writeOldTables();
  const std::string path = teba.file("teba_aulas.txt");
  ASSERT_EQ(::chmod(path.c_str(), 0), 0);
  if (::access(path.c_str(), R_OK) == 0) GTEST_SKIP() << "permissions do not bind this user";
  EXPECT_EQ(runExpectingError(), "Acceso al archivo denegado");
  EXPECT_EQ(notifier.events, (Events{"busy on", "busy off"}));
  EXPECT_EQ(session.ResultadoTraspaso, -1);
  expectRebuilt(kCatalogues[0], 1);
  expectRebuilt(kCatalogues[1], 1);
  expectOldTable(kCatalogues[2]);
  expectOldTable(kCatalogues[3]);
}

TEST_F(ExportRun, MissingWorkFolderEndsTheRunAndIsNotCreated) {
  writeAllInputs();
  env.workFolder = work.file("HTEMP");
  EXPECT_NE(runExpectingError(), "");
  EXPECT_FALSE(folderExists(env.workFolder));
  EXPECT_EQ(notifier.events, (Events{"busy on", "busy off"}));
  EXPECT_EQ(session.ResultadoTraspaso, -1);
  // The failed step closed its input: a writer can take the file now.
  WriterHold hold(teba.file("teba_asignat.txt"));
}

}  // namespace
}  // namespace tht
