// The whole export on the sample school: all six tables, their sizes and
// the rows that carry each rule, and ASIGT as another dBase reader sees it.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "export/export_run.h"
#include "tests/export_fixture.h"

namespace tht {
namespace {

using test::readTable;
using test::Rows;

struct SampleSchool : ::testing::Test, test::ExportFixture {
  void SetUp() override {
    std::filesystem::copy(test::sourceDir() + "/examples/sample-school", teba.path(),
                          std::filesystem::copy_options::recursive |
                              std::filesystem::copy_options::overwrite_existing);
  }
};

TEST_F(SampleSchool, ExportBuildsAllSixTables) {
  EXPECT_FALSE(BExportarClick(session, teba.path(), env));
  EXPECT_EQ(session.ResultadoTraspaso, 1);
  EXPECT_EQ(notifier.events, (std::vector<std::string>{"busy on", "busy off", "Proceso finalizado"}));

  const Rows subjects = readTable(work.path(), "ASIGNOMT.DBF");
  ASSERT_EQ(subjects.size(), 40u);
  EXPECT_EQ(subjects[0], (std::vector<std::string>{"MAT", "ESOMAT01", "Matem\xE1ticas", ""}));
  // Names are cut to the field's 40 characters.
  EXPECT_EQ(subjects[19][2], "Formaci\xF3n y Orientaci\xF3n Personal y Profe");

  const Rows teachers = readTable(work.path(), "PROFT.DBF");
  ASSERT_EQ(teachers.size(), 30u);  // "galm" repeats "GALM"
  EXPECT_EQ(teachers[10], (std::vector<std::string>{"MU\xD1O", "Mu\xF1oz Pe\xF1" "a, Concepci\xF3n",
                                                    "Matem\xE1ticas", "", "", ""}));

  const Rows rooms = readTable(work.path(), "AULAT.DBF");
  ASSERT_EQ(rooms.size(), 20u);
  EXPECT_EQ(rooms[14], (std::vector<std::string>{"GIM", "Gimnasio", "", "", ""}));

  const Rows groups = readTable(work.path(), "GRUPOST.DBF");
  ASSERT_EQ(groups.size(), 12u);
  EXPECT_EQ(groups[10], (std::vector<std::string>{"1BA", "M", "BAC", "1", "A", "1BAC A"}));

  const Rows assignments = readTable(work.path(), "ASIGT.DBF");
  ASSERT_EQ(assignments.size(), 143u);
  EXPECT_EQ(assignments[0], (std::vector<std::string>{"MAT", "", "1A", "", "M", "ESO", "1", "A", "4", "1111"}));
  // Music in 1st ESO has no hours line: one hour.
  EXPECT_EQ(assignments[7], (std::vector<std::string>{"MUS", "", "1A", "", "M", "ESO", "1", "A", "1", "1"}));
  // 3rd ESO biology: "2,5" hours.
  EXPECT_EQ(assignments[76], (std::vector<std::string>{"BYG", "", "3A", "", "M", "ESO", "3", "A", "2.5", "11\xBD"}));

  const Rows grid = readTable(work.path(), "DIASHORAST.DBF");
  ASSERT_EQ(grid.size(), 35u);
  EXPECT_EQ(grid[0], (std::vector<std::string>{"L1", "0001", "L", "", "1", "0830", "0925", "55"}));
  EXPECT_EQ(grid[34], (std::vector<std::string>{"V7", "0035", "V", "", "7", "1435", "1530", "55"}));
}

TEST_F(SampleSchool, AnotherReaderSeesTheSameAssignments) {
  ASSERT_FALSE(BExportarClick(session, teba.path(), env));
  const std::string command = "/usr/bin/python3 '" + test::sourceDir() + "/tests/support/dbf_rows.py' '" +
                              work.file("ASIGT.DBF") + "' 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string text;
  char buffer[4096];
  size_t got;
  while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) text.append(buffer, got);
  if (pclose(pipe) != 0 && text.find("No module named") != std::string::npos)
    GTEST_SKIP() << "python3-dbfread is not installed";
  std::string expected;
  for (const auto& row : readTable(work.path(), "ASIGT.DBF")) {
    for (size_t i = 0; i < row.size(); ++i) {
      // dbfread gives numbers with decimals as Python floats: 4 as "4.0".
      const std::string value = i == 8 && row[i].find('.') == std::string::npos ? row[i] + ".0" : row[i];
      expected += (i ? "|" : "") + value;
    }
    expected += "\n";
  }
  EXPECT_EQ(text, expected);
}

}  // namespace
}  // namespace tht
