// Faults injected where a test cannot arrange them with files alone: an
// input that vanishes or becomes unreadable between the run's existence
// check and its open, and a device that fails in the middle of a read; and
// pipes where files should be, which no reader may wait on.
// This executable puts its own open() and read() in front of the C
// library's; they pass every call through unless a fault is armed for a
// file name.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>

#include "export/export_run.h"
#include "import/import_run.h"
#include "platform/error.h"
#include "platform/files.h"
#include "tests/export_fixture.h"

namespace {

enum class Fault { None, Vanish, Deny, ReadFault, Pipe };

struct Armed {
  Fault fault = Fault::None;
  std::string name;  // the last component of the path it strikes
  int fd = -1;       // the descriptor a read fault strikes
  int readsPassed = 0;  // reads a read fault lets through first
  int hits = 0;      // how often the fault struck
};

Armed armed;

bool strikes(const char* path) {
  if (armed.fault == Fault::None) return false;
  const size_t length = std::strlen(path);
  const std::string suffix = "/" + armed.name;
  return length >= suffix.size() && suffix == path + (length - suffix.size());
}

}  // namespace

extern "C" int open(const char* path, int flags, ...) {
  mode_t mode = 0;
  if ((flags & O_CREAT) != 0) {
    va_list args;
    va_start(args, flags);
    mode = static_cast<mode_t>(va_arg(args, int));
    va_end(args);
  }
  if (strikes(path) && armed.fault != Fault::ReadFault) {
    ++armed.hits;
    if (armed.fault == Fault::Vanish) ::unlink(path);  // gone after the check
    if (armed.fault == Fault::Pipe) {                  // a pipe in its place
      ::unlink(path);
      ::mkfifo(path, 0644);
    }
    if (armed.fault == Fault::Deny) {
      errno = EACCES;
      return -1;
    }
  }
  const int fd = static_cast<int>(::syscall(SYS_openat, AT_FDCWD, path, flags, mode));
  if (fd >= 0 && armed.fault == Fault::ReadFault && strikes(path)) armed.fd = fd;
  return fd;
}

extern "C" ssize_t read(int fd, void* buffer, size_t count) {
  if (armed.fault == Fault::ReadFault && fd == armed.fd && fd >= 0 && armed.readsPassed-- <= 0) {
    ++armed.hits;
    errno = EIO;
    return -1;
  }
  return static_cast<ssize_t>(::syscall(SYS_read, fd, buffer, count));
}

namespace tht {
namespace {

namespace fs = std::filesystem;

void armFault(Fault fault, const std::string& name) {
  armed = Armed{};
  armed.fault = fault;
  armed.name = name;
}

class InjectedFaults : public ::testing::Test, public test::ExportFixture {
 protected:
  void SetUp() override {
    fs::copy(test::sourceDir() + "/examples/sample-school", teba.path(),
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    ASSERT_FALSE(BExportarClick(session, teba.path(), env));
    ASSERT_EQ(session.ResultadoTraspaso, 1);
    for (const char* table : {"ASIGNOMT", "PROFT", "AULAT", "GRUPOST", "ASIGT", "DIASHORAST"})
      before[table] = test::readBytes(work.file(std::string(table) + ".DBF"));
    notifier.events.clear();
    notifier.messages.clear();
    session.ResultadoTraspaso = 0;
  }
  void TearDown() override { armed = Armed{}; }

  void arm(Fault fault, const std::string& name) { armFault(fault, name); }

  // Runs the export, which must end in an error; gives its message.
  std::string exportError() {
    try {
      BExportarClick(session, teba.path(), env);
    } catch (const Error& error) {
      armed.fault = Fault::None;
      return error.what();
    }
    armed.fault = Fault::None;
    ADD_FAILURE() << "the export went through";
    return {};
  }

  void expectUnchanged(const char* table) {
    EXPECT_EQ(test::readBytes(work.file(std::string(table) + ".DBF")), before[table]) << table;
  }

  std::map<std::string, std::string> before;
};

TEST_F(InjectedFaults, InputVanishingBeforeLineByLineOpenEndsTheExportAndKeepsItsTable) {
  arm(Fault::Vanish, "teba_prof.txt");
  EXPECT_EQ(exportError(), "No se encuentra el archivo");
  EXPECT_EQ(armed.hits, 1);
  EXPECT_FALSE(fileExists(teba.file("teba_prof.txt")));
  EXPECT_EQ(session.ResultadoTraspaso, -1);
  EXPECT_EQ(notifier.events, (std::vector<std::string>{"busy on", "busy off"}));
  for (const char* table : {"PROFT", "AULAT", "GRUPOST", "ASIGT", "DIASHORAST"}) expectUnchanged(table);
}

TEST_F(InjectedFaults, InputBecomingUnreadableBeforeItsOpenEndsTheExport) {
  // Root reads whatever the permission bits say; the fault stands in for them.
  arm(Fault::Deny, "teba_aulas.txt");
  EXPECT_EQ(exportError(), "Acceso al archivo denegado");
  EXPECT_EQ(armed.hits, 1);
  EXPECT_EQ(session.ResultadoTraspaso, -1);
  for (const char* table : {"AULAT", "GRUPOST", "ASIGT", "DIASHORAST"}) expectUnchanged(table);
}

TEST_F(InjectedFaults, SessionsFileVanishingBeforeWholeFileOpenKeepsTheGrid) {
  arm(Fault::Vanish, "teba_sesiones.txt");
  EXPECT_EQ(exportError(), "Cannot open file \"" + teba.file("teba_sesiones.txt") + "\". " +
                               systemErrorText(ENOENT));
  EXPECT_EQ(armed.hits, 1);
  EXPECT_EQ(session.ResultadoTraspaso, -1);
  expectUnchanged("DIASHORAST");
}

TEST_F(InjectedFaults, DeviceFailingInTheMiddleOfAReadIsAnInputOutputError) {
  // Line by line: told apart from a denied access, which code 5 would say.
  arm(Fault::ReadFault, "teba_grupo.txt");
  EXPECT_EQ(exportError(), "Error de E/S 23");
  EXPECT_EQ(armed.hits, 1);
  EXPECT_EQ(session.ResultadoTraspaso, -1);
  for (const char* table : {"ASIGT", "DIASHORAST"}) expectUnchanged(table);

  // Whole file: read before the old table goes, which therefore stays.
  arm(Fault::ReadFault, "teba_sesiones.txt");
  EXPECT_EQ(exportError(), "Cannot open file \"" + teba.file("teba_sesiones.txt") + "\". " +
                               systemErrorText(EIO));
  EXPECT_EQ(session.ResultadoTraspaso, -1);
  expectUnchanged("DIASHORAST");
}

TEST_F(InjectedFaults, AssignmentsFailingMidFileLeaveTheRowsLoadedSoFarBare) {
  // Far more than one read's worth of records, each with a group and hours.
  std::string lines = "0TEBA_ASIGNATGRUPO.TXT\r\n";
  for (int i = 0; i < 5000; ++i) lines += "11ESO A    1A  MAT \r\n";
  teba.write("teba_asignatgrupo.txt", lines);
  arm(Fault::ReadFault, "teba_asignatgrupo.txt");
  armed.readsPassed = 1;
  EXPECT_EQ(exportError(), "Error de E/S 23");
  EXPECT_EQ(session.ResultadoTraspaso, -1);
  // The rows of the first read stay as the load pass leaves them: the
  // join, the hours and the default never ran.
  const test::Rows rows = test::readTable(work.path(), "ASIGT.DBF");
  EXPECT_GT(rows.size(), 100u);
  EXPECT_LT(rows.size(), 5000u);
  for (const auto& row : rows)
    ASSERT_EQ(row, (std::vector<std::string>{"MAT", "", "1A", "", "", "", "", "", "", ""}));
  expectUnchanged("DIASHORAST");
}

TEST_F(InjectedFaults, ImportInputVanishingKeepsTheEarlierTimetableAndTheResultCode) {
  const std::string earlier = "0TEBA_HORARIO.TXT earlier\r\n";
  teba.write("TEBA_HORARIO.TXT", earlier);
  for (const char* name : {"teba_asignat.txt", "teba_sesiones.txt"}) {
    SCOPED_TRACE(name);
    arm(Fault::Vanish, name);
    ImportTables tables;
    try {
      BImportarClick(session, teba.path(), tables, env);
      ADD_FAILURE() << "the import went through";
    } catch (const Error& error) {
      EXPECT_EQ(std::string(error.what()),
                "Cannot open file \"" + teba.file(name) + "\". " + systemErrorText(ENOENT));
    }
    armed.fault = Fault::None;
    EXPECT_EQ(armed.hits, 1);
    EXPECT_EQ(session.ResultadoTraspaso, 0);
    EXPECT_EQ(test::readBytes(teba.file("TEBA_HORARIO.TXT")), earlier);
    EXPECT_FALSE(tables.wwTableSoluc.isOpen());
    fs::copy_file(test::sourceDir() + "/examples/sample-school/" + name, teba.file(name));
  }
}

// A pipe nobody writes to, in place of `path`; the test fails rather than
// wait for ever when a reader waits on it.
void pipeInPlaceOf(const std::string& path) {
  fs::remove(path);
  ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
  ::alarm(20);
}

TEST_F(InjectedFaults, PipesInPlaceOfInputsAndTablesEndTheRunAtOnce) {
  // The import reads its two TEBA files without an existence check.
  pipeInPlaceOf(teba.file("teba_asignat.txt"));
  ImportTables tables;
  try {
    BImportarClick(session, teba.path(), tables, env);
    ADD_FAILURE() << "the import went through";
  } catch (const Error& error) {
    EXPECT_EQ(std::string(error.what()),
              "Cannot open file \"" + teba.file("teba_asignat.txt") + "\". " + systemErrorText(EACCES));
  }
  EXPECT_EQ(session.ResultadoTraspaso, 0);
  fs::remove(teba.file("teba_asignat.txt"));
  fs::copy_file(test::sourceDir() + "/examples/sample-school/teba_asignat.txt", teba.file("teba_asignat.txt"));

  // A table the import opens.
  fs::copy_file(test::sourceDir() + "/examples/sample-horavent/SOLUC.DBF", work.file("SOLUC.DBF"));
  pipeInPlaceOf(work.file("PROFT.DBF"));
  try {
    BImportarClick(session, teba.path(), tables, env);
    ADD_FAILURE() << "the import went through";
  } catch (const Error& error) {
    EXPECT_EQ(std::string(error.what()), "Table does not exist.\nTable: " + work.file("PROFT.DBF"));
  }
  EXPECT_EQ(session.ResultadoTraspaso, 0);
  EXPECT_FALSE(fs::exists(teba.file("TEBA_HORARIO.TXT")));
  fs::remove(work.file("PROFT.DBF"));

  // An input read line by line, a pipe put in its place after the
  // existence check.
  arm(Fault::Pipe, "teba_aulas.txt");
  EXPECT_EQ(exportError(), "Acceso al archivo denegado");
  EXPECT_EQ(armed.hits, 1);
  EXPECT_EQ(session.ResultadoTraspaso, -1);
  expectUnchanged("AULAT");
  ::alarm(0);
}

}  // namespace
}  // namespace tht
