// The day and period grid step through the real export run: DIASHORAST's
// rows, period numbers by start time, DIHO, the slot length in minutes, and
// the integer errors that end the run.
#include <gtest/gtest.h>

#include <string>

#include "export/export_run.h"
#include "platform/error.h"
#include "tests/export_fixture.h"

namespace tht {
namespace {

using test::line;
using test::readTable;
using test::Rows;
using test::tebaFile;

struct Sessions : ::testing::Test, test::ExportFixture {
  static std::string slot(const std::string& code, const std::string& day, const std::string& start,
                          const std::string& end) {
    return line({{1, "1"}, {5, code}, {9, day}, {10, start}, {14, end}});
  }
  // Only the sessions file: the other steps report their missing files.
  std::string run(const std::string& content) {
    teba.write("teba_sesiones.txt", content);
    try {
      BExportarClick(session, teba.path(), env);
    } catch (const Error& error) {
      return error.what();
    }
    return {};
  }
  std::string run(const std::vector<std::string>& lines) { return run(tebaFile("TEBA_SESIONES.TXT", lines)); }
  // DIHO, CODDIHO, DIA, TEXTODIA, HORA, HORADESDE, HORAHASTA, MINUTOS
  Rows grid() { return readTable(work.path(), "DIASHORAST.DBF"); }
};

TEST_F(Sessions, PeriodsAreRanksOfStartTimesSharedByTheWeek) {
  EXPECT_EQ(run({slot("0001", "L", "0800", "0900"), slot("0002", "L", "0900", "1000"),
                 slot("0003", "M", "0830", "0930"), slot("0004", "M", "0800", "0900"),
                 slot("0004", "M", "0800", "0900")}),
            "");
  EXPECT_EQ(grid(), (Rows{{"L1", "0001", "L", "", "1", "0800", "0900", "60"},
                          {"L3", "0002", "L", "", "3", "0900", "1000", "60"},
                          {"M2", "0003", "M", "", "2", "0830", "0930", "60"},
                          {"M1", "0004", "M", "", "1", "0800", "0900", "60"},
                          {"M1", "0004", "M", "", "1", "0800", "0900", "60"}}));
}

TEST_F(Sessions, MinutesAreTheSlotsTrueLength) {
  EXPECT_EQ(run({slot("1", "L", "0830", "0925"), slot("2", "L", "0800", "0900"), slot("3", "L", "0900", "0955"),
                 slot("4", "L", "0955", "1150"), slot("5", "L", "1000", "0930")}),
            "");
  std::string minutes;
  for (const auto& row : grid()) minutes += row[7] + " ";
  EXPECT_EQ(minutes, "55 60 55 115 -30 ");
}

TEST_F(Sessions, StartTimesSortAsTextAndDigitDaysJoinTheirPeriod) {
  // "900" sorts after "1000" and "0955": it is the third period of three.
  EXPECT_EQ(run({slot("1", "1", "1000", "1050"), slot("2", "1", "0955", "1000"), slot("3", "1", "900", "950")}), "");
  Rows rows = grid();
  EXPECT_EQ(rows[0][0] + rows[1][0] + rows[2][0], "12" "11" "13");

  std::vector<std::string> twelve;
  for (int hour = 8; hour < 20; ++hour) {
    const std::string start = (hour < 10 ? "0" : "") + std::to_string(hour) + "00";
    twelve.push_back(slot(std::to_string(hour), "1", start, start));
  }
  EXPECT_EQ(run(twelve), "");
  rows = grid();
  EXPECT_EQ(rows[2][0], "13");
  EXPECT_EQ(rows[11][0], "112");
  EXPECT_EQ(rows[11][7], "0");
}

TEST_F(Sessions, TimesThatAreNoIntegersEndTheRun) {
  const std::vector<std::string> good = {slot("0001", "L", "0830", "0925")};
  // The end is read first; columns 14-17 of "09:25" hold "09:2".
  std::vector<std::string> lines = good;
  lines.push_back(line({{1, "1"}, {5, "0002"}, {9, "L"}, {10, "8.30"}, {14, "09:25"}}));
  EXPECT_EQ(run(lines), "'09:2' no es un valor entero v\xE1lido");
  EXPECT_EQ(session.ResultadoTraspaso, -1);
  // The rows before stay, still without their period number.
  EXPECT_EQ(grid(), (Rows{{"", "0001", "L", "", "0830", "0830", "0925", "55"}}));

  lines = good;
  lines.push_back(slot("0002", "L", "8.30", "0925"));
  EXPECT_EQ(run(lines), "'8.30' no es un valor entero v\xE1lido");

  lines = good;
  lines.push_back("");  // an empty line is a data record
  EXPECT_EQ(run(lines), "'' no es un valor entero v\xE1lido");

  // A Ctrl-Z after the last line end is one more line to whole-file reading.
  EXPECT_EQ(run(tebaFile("TEBA_SESIONES.TXT", good) + "\x1A"), "'' no es un valor entero v\xE1lido");
}

TEST_F(Sessions, FileWithoutDataRecordsGivesAnEmptyGrid) {
  EXPECT_EQ(run(std::vector<std::string>{}), "");
  EXPECT_EQ(grid(), Rows{});
  EXPECT_EQ(session.ResultadoTraspaso, -1);  // the other inputs are missing
}

}  // namespace
}  // namespace tht
