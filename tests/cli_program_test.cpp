// The command-line program itself, started through the shell: its exit
// statuses and where its texts go.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "tables/table.h"
#include "tests/support/temp_folder.h"

namespace tht::test {
namespace {

// The program itself: exit statuses and where its texts go.
struct Outcome {
  int status;
  std::string out;
};

// `locale`, when given, is the program's whole locale (LC_ALL).
Outcome runCli(const std::string& args, const std::string& locale = {}) {
  Outcome outcome{-1, {}};
  const std::string environment = locale.empty() ? std::string() : "LC_ALL=" + locale + " ";
  FILE* pipe = popen((environment + THT_CLI_PATH + " " + args + " 2>&1").c_str(), "r");
  if (!pipe) return outcome;
  char buffer[4096];
  size_t got;
  while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) outcome.out.append(buffer, got);
  const int status = pclose(pipe);
  outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return outcome;
}

TEST(CliProgram, ExitStatusesFollowTheResult) {
  TempFolder work;
  EXPECT_EQ(runCli("").status, 64);
  EXPECT_EQ(runCli("export /nonexistent/teba --work-folder " + work.path()).status, 2);
  EXPECT_EQ(runCli("export /nonexistent/teba --work-folder " + work.path()).out,
            "No existe la carpeta\nResultadoTraspaso: 0\n");
  TempFolder teba;  // an empty TEBA folder: every input is missing
  const Outcome missing = runCli("export " + teba.path() + " --work-folder " + work.path());
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.out.find("No existe archivo de asignaturas (TEBA_ASIGNAT.TXT)\n"), std::string::npos);
  EXPECT_NE(missing.out.find("ResultadoTraspaso: -1\n"), std::string::npos);
  const Outcome failed = runCli("import " + teba.path() + " --work-folder " + work.path());
  EXPECT_EQ(failed.status, 3);
  EXPECT_EQ(runCli("check " + teba.path() + " --work-folder " + work.path()).status, 1);
  EXPECT_EQ(runCli("show-table --help").status, 0);
}

TEST(CliProgram, ShowTablePrintsColumnsOrCsv) {
  TempFolder work;
  tables::createTable(work.path(), "T", {{"COD", tables::FieldKind::String, 4},
                                         {"NOMBRE", tables::FieldKind::String, 20}});
  {
    tables::Table table;
    table.open(work.path(), "T.DBF", tables::OpenMode::Shared);
    table.append();
    table.setString(0, "MAT");
    table.setString(1, "Matem\xE1ticas, 1\xBA");
    table.post();
    table.close();
  }
  EXPECT_EQ(runCli("show-table " + work.file("T.DBF")).out,
            "COD  NOMBRE\nMAT  Matem\xC3\xA1ticas, 1\xC2\xBA\n");
  EXPECT_EQ(runCli("show-table " + work.file("T.DBF") + " --csv").out,
            "COD,NOMBRE\nMAT,\"Matem\xC3\xA1ticas, 1\xC2\xBA\"\n");
  // A C locale's terminal takes UTF-8 too.
  EXPECT_EQ(runCli("show-table " + work.file("T.DBF"), "C").out,
            "COD  NOMBRE\nMAT  Matem\xC3\xA1ticas, 1\xC2\xBA\n");
}

// File names are UTF-8 whatever the locale; the messages are code page 1252
// until the terminal's encoding takes them: UTF-8, under a C locale too. A
// name with letters outside code page 1252 still opens
// and is written, and shows with '?' for them.
TEST(CliProgram, FolderNamesWithLettersOfAnyLanguage) {
  namespace fs = std::filesystem;
  TempFolder root;
  const std::string year = root.file("a\xC3\xB1o");
  fs::create_directory(year);
  const std::string message = "Cannot open file \"" + root.path() + "/a%so/teba_asignat.txt\". No such file or directory.\n";
  const auto with = [&](const char* letter) {
    std::string text = message;
    return text.replace(text.find("%s"), 2, letter);
  };
  EXPECT_EQ(runCli("import '" + year + "' --work-folder " + root.path(), "C.UTF-8").out,
            "ResultadoTraspaso: 0\n" + with("\xC3\xB1"));
  EXPECT_EQ(runCli("import '" + year + "' --work-folder " + root.path(), "C").out,
            "ResultadoTraspaso: 0\n" + with("\xC3\xB1"));

  const std::string city = root.file("\xC5\x81\xC3\xB3" "d\xC5\xBA");  // "Łódź"
  fs::create_directories(city + "/HTEMP");
  fs::copy(sourceDir() + "/examples/sample-school", city);
  const Outcome exported = runCli("export '" + city + "' --work-folder '" + city + "/HTEMP'", "C.UTF-8");
  EXPECT_EQ(exported.out, "Proceso finalizado\nResultadoTraspaso: 1\n");
  for (const char* table : {"ASIGNOMT", "PROFT", "AULAT", "GRUPOST", "ASIGT", "DIASHORAST"})
    EXPECT_TRUE(fs::exists(city + "/HTEMP/" + table + ".DBF")) << table;
  fs::copy_file(sourceDir() + "/examples/sample-horavent/SOLUC.DBF", city + "/HTEMP/SOLUC.DBF");
  EXPECT_EQ(runCli("import '" + city + "' --work-folder '" + city + "/HTEMP'").out,
            "Proceso finalizado\nResultadoTraspaso: 1\n");
  EXPECT_TRUE(fs::exists(city + "/TEBA_HORARIO.TXT"));
  fs::remove(city + "/teba_asignat.txt");
  EXPECT_EQ(runCli("import '" + city + "' --work-folder '" + city + "/HTEMP'", "C.UTF-8").out,
            "ResultadoTraspaso: 0\nCannot open file \"" + root.path() +
                "/?\xC3\xB3" "d?/teba_asignat.txt\". No such file or directory.\n");
}

}  // namespace
}  // namespace tht::test
