// The import run: the file it writes, its slot codes and day notation, a
// missing folder, and how errors end the run and leave the earlier file.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/error.h"
#include "platform/files.h"
#include "tests/import_fixture.h"

namespace tht::test {
namespace {

using ImportRun = ImportFixture;

TEST_F(ImportRun, WritesTheWholeFile) {
  writeLessons({{"1", "1", "GAR", "1A", "MAT", "A101"},
                {"0", "3", "PER", "1B", "LEN", "A102"},
                {"2", "1", "PER", "1B", "LEN", "A102"},
                {"1", "2", "ROD", "2A", "EF", "GIM"}});
  EXPECT_FALSE(run());
  EXPECT_EQ(output(), header() +
                          "10001LGAR 1A  LEC MAT A101\r\n"
                          "10007MPER 1B  LEC LEN A102\r\n"
                          "10002LROD 2A  LEC EF  GIM \r\n" +
                          trailer(3));
  EXPECT_EQ(session.ResultadoTraspaso, 1);
  EXPECT_EQ(session.CarpetaTxt, teba.path() + pathSeparator());
  EXPECT_EQ(notifier.messages, std::vector<std::string>{"Proceso finalizado"});
  EXPECT_EQ(notifier.busyCalls, (std::vector<bool>{true, false}));
  EXPECT_FALSE(anyTableOpen());

  // Hosted, the window closes after the message; a second run replaces the file.
  session.ModoIntegrado = 2;
  writeLessons({});
  EXPECT_TRUE(run());
  EXPECT_EQ(output(), header() + trailer(0));
}

TEST_F(ImportRun, NoLessonsGiveHeaderAndTrailerOnly) {
  writeLessons({{"0", "1", "GAR", "1A", "MAT", "A101"}, {"0", "9", "PER", "1B", "LEN", "A102"}});
  run();
  const std::string file = output();
  EXPECT_EQ(file, header() + trailer(0));
  EXPECT_EQ(file.size(), 71u + 2 + 72 + 2);
  EXPECT_EQ(file.substr(file.size() - 2), "\r\n");
}

TEST_F(ImportRun, SlotCodesComeFromTheFirstMatchAndNeverCarryOver) {
  writeSlots({{"L", "1", "AAAA"}, {"M", "2", "CCCC"}, {"L", "1", "BBBB"}, {"L", "10", "DDDD"}});
  writeLessons({{"1", "1", "GAR", "1A", "MAT", "A101"},
                {"1", "3", "GAR", "1A", "MAT", "A101"},
                {"2", "2", "GAR", "1A", "MAT", "A101"},
                {"1", "10", "GAR", "1A", "MAT", "A101"},
                {"3", "1", "GAR", "1A", "MAT", "A101"}});
  run();
  EXPECT_EQ(output(), header() +
                          "1AAAALGAR 1A  LEC MAT A101\r\n"
                          "1    LGAR 1A  LEC MAT A101\r\n"
                          "1CCCCMGAR 1A  LEC MAT A101\r\n"
                          "1DDDDLGAR 1A  LEC MAT A101\r\n"
                          "1    XGAR 1A  LEC MAT A101\r\n" +
                          trailer(5));
}

TEST_F(ImportRun, DayNotationFollowsTheSessionsFile) {
  const std::vector<std::vector<std::string>> lessons = {{"3", "1", "GAR", "1A", "MAT", "A101"},
                                                          {"8", "1", "GAR", "1A", "MAT", "A101"}};
  writeLessons(lessons);
  writeSlots({{"X", "1", "LET3"}, {"3", "1", "DIG3"}, {"8", "1", "DIG8"}});
  const std::string inLetters = header() +
                                "1LET3XGAR 1A  LEC MAT A101\r\n"
                                "1DIG88GAR 1A  LEC MAT A101\r\n" +
                                trailer(2);
  const std::string inDigits = header() +
                               "1DIG33GAR 1A  LEC MAT A101\r\n"
                               "1DIG88GAR 1A  LEC MAT A101\r\n" +
                               trailer(2);
  for (const char* digit : {"1", "7"}) {
    writeSessions(digit);
    run();
    EXPECT_EQ(output(), inDigits) << "column 9 " << digit;
  }
  for (const char* other : {"X", " ", "8", "0"}) {
    writeSessions(other);
    run();
    EXPECT_EQ(output(), inLetters) << "column 9 '" << other << "'";
  }
  // A second line that ends before column 9 means letters too.
  teba.write("teba_sesiones.txt", "0TEBA_SESIONES.TXT\r\n1   0001\r\n");
  run();
  EXPECT_EQ(output(), inLetters);
}

TEST_F(ImportRun, CentreCodeIsTakenAsItStands) {
  // The first line starting with "0" is 55 characters long: a 4-character code.
  teba.write("teba_asignat.txt", "1MAT\r\n0TEBA_ASIGNAT.TXT" + std::string(34, ' ') +
                                     "2804\r\n0TEBA_ASIGNAT.TXT" + std::string(34, ' ') + "99999999\r\n");
  run();
  EXPECT_EQ(output(), header("2804    ") + trailer(0, "2804    "));

  teba.write("teba_asignat.txt", headerOf("TEBA_ASIGNAT.TXT", " AB CD  ", "010920250900") + "\r\n");
  run();
  EXPECT_EQ(output(), header(" AB CD  ") + trailer(0, " AB CD  "));

  teba.write("teba_asignat.txt", "1MAT MAT\r\n");
  run();
  EXPECT_EQ(output(), header("        ") + trailer(0, "        "));
}

TEST_F(ImportRun, LongValuesAreNeverCut) {
  writeLessons({{"1", "1", "GARCI", "1A", "MAT", "A101"}}, 5);
  run();
  const std::string record = "10001LGARCI1A  LEC MAT A101";
  EXPECT_EQ(record.size(), 27u);
  EXPECT_EQ(output(), header() + record + "\r\n" + trailer(1));
}

TEST_F(ImportRun, TrailerCountGrowsTheLine) {
  std::vector<std::vector<std::string>> lessons(250, {"2", "1", "PER", "1B", "LEN", "A102"});
  writeLessons(lessons);
  run();
  const std::string file = output();
  const std::string last = trailer(250);
  ASSERT_GE(file.size(), last.size());
  EXPECT_EQ(file.substr(file.size() - last.size()), last);
  EXPECT_EQ(last.size(), 74u + 2);
  EXPECT_EQ(file.size(), 73 + 250 * 28 + last.size());
}

TEST_F(ImportRun, MissingFolder) {
  session.ResultadoTraspaso = 1;
  EXPECT_FALSE(BImportarClick(session, teba.file("nowhere"), components,
                              RunEnvironment{work.path(), notifier}));
  EXPECT_EQ(session.ResultadoTraspaso, 1);
  EXPECT_EQ(notifier.messages, std::vector<std::string>{"No existe la carpeta"});
  EXPECT_TRUE(notifier.busyCalls.empty());

  session.ModoIntegrado = 2;
  EXPECT_TRUE(BImportarClick(session, teba.file("nowhere"), components,
                             RunEnvironment{work.path(), notifier}));
  EXPECT_EQ(session.ResultadoTraspaso, 0);
}

TEST_F(ImportRun, ErrorsEndTheRunAndLeaveTheEarlierFile) {
  const std::string earlier = teba.write("TEBA_HORARIO.TXT", "earlier file\r\n");
  session.ResultadoTraspaso = -1;
  session.ModoIntegrado = 2;
  auto expectNothingChanged = [&](const std::string& what) {
    EXPECT_EQ(readBytes(earlier), "earlier file\r\n") << what;
    EXPECT_EQ(session.ResultadoTraspaso, -1) << what;
    EXPECT_FALSE(anyTableOpen()) << what;
    EXPECT_TRUE(notifier.messages.empty()) << what;
    EXPECT_EQ(notifier.busyCalls, (std::vector<bool>{true, false})) << what;
    notifier.busyCalls.clear();
  };

  teba.write("teba_sesiones.txt", "0TEBA_SESIONES.TXT\r\n");
  EXPECT_EQ(runError(), "List index out of bounds (1)");
  expectNothingChanged("one-line sessions file");
  writeSessions("L");

  std::filesystem::remove(teba.file("teba_asignat.txt"));
  EXPECT_EQ(runError().rfind("Cannot open file \"" + teba.file("teba_asignat.txt") + "\". ", 0), 0u);
  expectNothingChanged("missing subjects file");
  writeSubjects("28040123");

  // A table missing after others opened: those are closed again.
  std::filesystem::remove(work.file("ASIGNOMT.DBF"));
  EXPECT_FALSE(runError().empty());
  expectNothingChanged("missing table");
  writeTable(work.path(), "ASIGNOMT", {{"COD", tables::FieldKind::String, 4}}, {});

  using tables::FieldKind;
  writeTable(work.path(), "SOLUC",
             {{"DIA", FieldKind::Integer, 0}, {"PROF", FieldKind::String, 4}}, {{"1", "GAR"}});
  EXPECT_EQ(runError(), "wwTableSoluc: No se encuentra el campo 'HORA'");
  expectNothingChanged("missing field");

  writeTable(work.path(), "SOLUC",
             {{"DIA", FieldKind::String, 2}, {"HORA", FieldKind::String, 2},
              {"PROF", FieldKind::String, 4}, {"CODGRUPO", FieldKind::String, 4},
              {"ASIG", FieldKind::String, 4}, {"AULA", FieldKind::String, 4}},
             {{"1", "1", "GAR", "1A", "MAT", "A101"}, {"L", "1", "GAR", "1A", "MAT", "A101"}});
  EXPECT_EQ(runError(), "'L' no es un valor entero v\xE1lido");
  expectNothingChanged("day that is no number");

  // After all those errors the next import goes through.
  writeLessons({{"1", "1", "GAR", "1A", "MAT", "A101"}});
  EXPECT_TRUE(run());
  EXPECT_EQ(output(), header() + "10001LGAR 1A  LEC MAT A101\r\n" + trailer(1));
  EXPECT_EQ(session.ResultadoTraspaso, 1);
}

}  // namespace
}  // namespace tht::test
