// The teaching assignments cases that need the POSIX system: a locale with
// a decimal comma, Python's dBase reader, and an advisory lock held by a
// writer.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/files.h"
#include "tests/support/dbf_reader.h"
#include "tests/export_assignments_fixture.h"

namespace tht {
namespace {

using test::Assignments;
using test::Rows;

// For its lifetime, numbers in the C library follow a locale whose decimal
// mark is a comma: an installed one when there is one, else Spanish built
// with localedef into a temporary folder.
class CommaLocale {
 public:
  CommaLocale() {
    const char* current = std::setlocale(LC_NUMERIC, nullptr);
    saved_ = current ? current : "C";
    for (const char* name : {"es_ES.UTF-8", "es_ES.utf8", "es_ES", "de_DE.UTF-8", "fr_FR.UTF-8"})
      if (use(name)) return;
    const std::string command = "localedef -i es_ES -f ISO-8859-1 '" + built_.file("es_ES.ISO-8859-1") +
                                "' >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0) return;
    const char* locpath = std::getenv("LOCPATH");
    if (locpath) savedLocpath_ = locpath;
    hadLocpath_ = locpath != nullptr;
    ::setenv("LOCPATH", built_.path().c_str(), 1);
    locpathSet_ = true;
    use("es_ES.ISO-8859-1");
  }
  ~CommaLocale() {
    std::setlocale(LC_NUMERIC, saved_.c_str());
    if (!locpathSet_) return;
    if (hadLocpath_)
      ::setenv("LOCPATH", savedLocpath_.c_str(), 1);
    else
      ::unsetenv("LOCPATH");
  }
  CommaLocale(const CommaLocale&) = delete;
  CommaLocale& operator=(const CommaLocale&) = delete;
  bool active() const { return active_; }

 private:
  bool use(const char* name) {
    if (!std::setlocale(LC_NUMERIC, name)) return false;
    active_ = std::string(std::localeconv()->decimal_point) == ",";
    if (!active_) std::setlocale(LC_NUMERIC, saved_.c_str());
    return active_;
  }
  test::TempFolder built_;
  std::string saved_;
  std::string savedLocpath_;
  bool hadLocpath_ = false;
  bool locpathSet_ = false;
  bool active_ = false;
};


TEST_F(Assignments, CommaAndPointReadAlikeInAnyLocale) {
  writeAssignments({assignment("1A", "A"), assignment("1A", "B")});
  writeHours({hours("ESO", "1", "A", "2,5"), hours("ESO", "1", "B", "2.5")});
  CommaLocale comma;
  if (!comma.active()) GTEST_SKIP() << "no locale with a decimal comma could be installed or built";
  ASSERT_STREQ(std::localeconv()->decimal_point, ",");
  EXPECT_EQ(run(), "");
  tables::Table table;
  table.open(work.path(), "ASIGT.DBF", tables::OpenMode::ReadOnlyShared);
  EXPECT_EQ(table.asFloat("HORAS"), 2.5);
  EXPECT_EQ(table.asString("SESIONES"), "11\xBD");
  table.next();
  EXPECT_EQ(table.asFloat("HORAS"), 2.5);
  EXPECT_EQ(table.asString("SESIONES"), "11\xBD");
  // The stored number does not follow the locale either: another reader,
  // which knows nothing of it, reads 2.5 too.
  EXPECT_EQ(test::dbfreadRows(work.file("ASIGT.DBF")),
            "A||1A||M|ESO|1|A|2.5|11\xBD\n"
            "B||1A||M|ESO|1|A|2.5|11\xBD\n");
}

TEST_F(Assignments, HoursFileHeldByAWriterEndsTheRunWithTheRowsJoined) {
  writeAssignments({assignment("1A", "A"), assignment("2A", "B")});
  writeHours({hours("ESO", "1", "A", "4")});
  const int held = ::open(teba.file("teba_asignatcurso.txt").c_str(), O_RDWR);
  ASSERT_GE(held, 0);
  ASSERT_EQ(::flock(held, LOCK_EX | LOCK_NB), 0);
  EXPECT_EQ(run(), "Cannot open file \"" + teba.file("teba_asignatcurso.txt") + "\". " +
                       systemErrorText(EWOULDBLOCK));
  ::close(held);
  EXPECT_EQ(session.ResultadoTraspaso, -1);
  EXPECT_EQ(asigt(), (Rows{{"A", "", "1A", "", "M", "ESO", "1", "A", "", ""},
                           {"B", "", "2A", "", "T", "ESO", "2", "A", "", ""}}));
}

}  // namespace
}  // namespace tht
