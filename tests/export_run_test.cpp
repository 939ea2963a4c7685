// The export run: the folder check, the hourglass, the result code, the
// missing-file messages, and how an error ends the run and leaves the tables.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <string>
#include <vector>

#include "export/export_run.h"
#include "platform/error.h"
#include "platform/files.h"
#include "tests/export_fixture.h"

namespace tht {
namespace {

using test::line;
using test::readTable;
using test::tebaFile;
using Events = std::vector<std::string>;

struct Catalogue {
  const char* input;
  const char* ownName;
  const char* table;
  const char* missingMessage;
  std::string record;
  size_t rows;  // rows the table gets from two copies of the record
};

// The six tables, each with the input file whose absence ends its step.
const std::array<Catalogue, 6> kCatalogues = {{
    {"teba_asignat.txt", "TEBA_ASIGNAT.TXT", "ASIGNOMT",
     "No existe archivo de asignaturas (TEBA_ASIGNAT.TXT)", line({{1, "1"}, {2, "MAT"}, {26, "Mates"}}), 1},
    {"teba_prof.txt", "TEBA_PROF.TXT", "PROFT", "No existe archivo de profesores (TEBA_PROF.TXT)",
     line({{1, "1"}, {2, "P1"}, {6, "Ana"}}), 1},
    {"teba_aulas.txt", "TEBA_AULAS.TXT", "AULAT", "No existe archivo de aulas (TEBA_AULAS.TXT)",
     line({{1, "1"}, {12, "A1"}, {86, "Aula"}}), 2},
    {"teba_grupo.txt", "TEBA_GRUPO.TXT", "GRUPOST", "No existe archivo de grupos (TEBA_GRUPO.TXT)",
     line({{1, "1"}, {2, "1ESO A"}, {12, "1A"}}), 2},
    {"teba_asignatgrupo.txt", "TEBA_ASIGNATGRUPO.TXT", "ASIGT",
     "No existe archivo de grupos (TEBA_ASIGNATGRUPO.TXT)", line({{1, "1"}, {12, "1A"}, {16, "MAT"}}), 2},
    {"teba_sesiones.txt", "TEBA_SESIONES.TXT", "DIASHORAST", "No existe archivo de grupos (TEBA_SESIONES.TXT)",
     line({{1, "1"}, {5, "0001"}, {9, "L"}, {10, "0830"}, {14, "0925"}}), 2},
}};

// The weekly hours, read by the assignments step; its absence is no failure.
const std::string kHoursFile =
    tebaFile("TEBA_ASIGNATCURSO.TXT", {line({{1, "1"}, {2, "NIV"}, {24, "MAT"}, {28, "3"}})});

const Events kWentThrough = {"busy on", "busy off", "Proceso finalizado"};

std::string oldTable(const Catalogue& c) { return std::string("old bytes of ") + c.table; }

// A TEBA folder and a work folder with what the run tests put there and check.
struct Scene : test::ExportFixture {
  void writeInput(const Catalogue& c) { teba.write(c.input, tebaFile(c.ownName, {c.record, c.record})); }
  void writeAllInputs() {
    for (const Catalogue& c : kCatalogues) writeInput(c);
    teba.write("teba_asignatcurso.txt", kHoursFile);
  }
  // What an earlier run left in the work folder.
  void writeOldTables() {
    for (const Catalogue& c : kCatalogues) {
      work.write(std::string(c.table) + ".DBF", oldTable(c));
      work.write(std::string(c.table) + ".MDX", "old index");
    }
  }
  void expectOldTable(const Catalogue& c) {
    SCOPED_TRACE(c.table);
    EXPECT_EQ(test::readBytes(work.file(std::string(c.table) + ".DBF")), oldTable(c));
    EXPECT_EQ(test::readBytes(work.file(std::string(c.table) + ".MDX")), "old index");
  }
  // Rebuilt: the old index is gone and the table holds the new rows.
  void expectRebuilt(const Catalogue& c, size_t rows) {
    SCOPED_TRACE(c.table);
    EXPECT_FALSE(fileExists(work.file(std::string(c.table) + ".MDX")));
    EXPECT_EQ(readTable(work.path(), std::string(c.table) + ".DBF").size(), rows);
  }
  // The message of the error that ends the run; empty when none did.
  std::string runExpectingError() {
    try {
      BExportarClick(session, teba.path(), env);
    } catch (const Error& e) {
      return e.what();
    }
    return {};
  }
};

struct ExportRun : ::testing::Test, Scene {};

TEST_F(ExportRun, MissingFolderStandAloneChangesNothing) {
  writeOldTables();
  for (int32_t before : {0, 1, -1}) {
    session.ResultadoTraspaso = before;
    EXPECT_FALSE(BExportarClick(session, teba.file("absent"), env));
    EXPECT_EQ(session.ResultadoTraspaso, before);
  }
  EXPECT_EQ(session.CarpetaTxt, teba.file("absent") + "/");
  EXPECT_EQ(notifier.events, Events(3, "No existe la carpeta"));
  for (const Catalogue& c : kCatalogues) expectOldTable(c);
}

TEST_F(ExportRun, MissingFolderHostedFailsAndCloses) {
  session.ModoIntegrado = 2;
  session.ResultadoTraspaso = 0;
  writeAllInputs();
  // A file is no folder.
  EXPECT_TRUE(BExportarClick(session, teba.file("teba_prof.txt"), env));
  EXPECT_EQ(session.ResultadoTraspaso, -1);
  EXPECT_EQ(notifier.events, Events{"No existe la carpeta"});
  EXPECT_FALSE(fileExists(work.file("ASIGNOMT.DBF")));
}

TEST_F(ExportRun, AllInputsRebuildEveryTable) {
  writeAllInputs();
  writeOldTables();
  EXPECT_FALSE(BExportarClick(session, teba.path(), env));
  EXPECT_EQ(session.ResultadoTraspaso, 1);
  EXPECT_EQ(session.CarpetaTxt, teba.path() + "/");
  EXPECT_EQ(notifier.events, kWentThrough);
  // Subjects and teachers drop the repeated code; rooms and groups keep it.
  for (const Catalogue& c : kCatalogues) expectRebuilt(c, c.rows);

  // Hosted, the window closes after the closing message.
  session.ModoIntegrado = 2;
  notifier.events.clear();
  EXPECT_TRUE(BExportarClick(session, teba.path(), env));
  EXPECT_EQ(session.ResultadoTraspaso, 1);
  EXPECT_EQ(notifier.events, kWentThrough);
}

TEST_F(ExportRun, EachMissingInputEndsOnlyItsOwnStep) {
  // Without the groups file the assignments step would join with the old
  // GRUPOST, which here is no table: that case has a test of its own.
  for (size_t missing : {0, 1, 2, 4, 5}) {
    SCOPED_TRACE(kCatalogues[missing].input);
    Scene run;
    for (size_t i = 0; i < kCatalogues.size(); ++i)
      if (i != missing) run.writeInput(kCatalogues[i]);
    run.teba.write("teba_asignatcurso.txt", kHoursFile);
    // A folder with the input's name does not count as the file.
    if (missing == 2) {
      ASSERT_EQ(::mkdir(run.teba.file(kCatalogues[2].input).c_str(), 0755), 0);
    }
    run.writeOldTables();
    run.session.ModoIntegrado = missing == 5 ? 2 : 0;

    EXPECT_EQ(BExportarClick(run.session, run.teba.path(), run.env), missing == 5);
    EXPECT_EQ(run.session.ResultadoTraspaso, -1);
    EXPECT_EQ(run.notifier.events,
              (Events{"busy on", kCatalogues[missing].missingMessage, "busy off", "Proceso finalizado"}));
    for (size_t i = 0; i < kCatalogues.size(); ++i) {
      if (i == missing)
        run.expectOldTable(kCatalogues[i]);
      else
        run.expectRebuilt(kCatalogues[i], kCatalogues[i].rows);
    }
  }
}

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
