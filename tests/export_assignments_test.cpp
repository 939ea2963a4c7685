// The teaching assignments step through the real export run: ASIGT's rows,
// their group fields from GRUPOST, their hours and session patterns, and how
// missing files and bad hours end the step.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <random>
#include <string>

#include "export/assignment_rules.h"
#include "export/export_run.h"
#include "export/hours.h"
#include "platform/error.h"
#include "platform/files.h"
#include "tests/export_assignments_fixture.h"

namespace tht {
namespace {

using test::Assignments;
using test::line;
using test::ones;
using test::readTable;
using test::Rows;
using test::tebaFile;

TEST_F(Assignments, HoursTextsGiveHoursAndSessionPatterns) {
  const std::vector<std::pair<std::string, std::pair<std::string, std::string>>> cases = {
      {"", {"1", "1"}},
      {"3", {"3", ones(3)}},
      {"2,5", {"2.5", "11\xBD"}},
      {"2.25", {"2.25", "11\xBD"}},
      {"0,5", {"1", "1"}},
      {"-2", {"1", "1"}},
      {"13", {"13", ones(13)}},
      {"14", {"14", "1" + ones(13)}},
      {"15", {"15", "2" + ones(13)}},
      {"20,5", {"20.5", "7" + ones(13) + "\xBD"}},
      {"25", {"25", "12" + ones(13)}},
      {".5", {"1", "1"}},
      {"5.", {"5", ones(5)}},
      {"1e1", {"10", ones(10)}},
  };
  std::vector<std::string> assignments, hoursLines;
  for (size_t i = 0; i < cases.size(); ++i) {
    const std::string subject = "S" + std::to_string(i);
    assignments.push_back(assignment("1A", subject));
    hoursLines.push_back(hours("ESO", "1", subject, cases[i].first));
  }
  writeAssignments(assignments);
  writeHours(hoursLines);
  EXPECT_EQ(run(), "");
  const Rows rows = asigt();
  ASSERT_EQ(rows.size(), cases.size());
  for (size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE("hours text '" + cases[i].first + "'");
    EXPECT_EQ(rows[i], (std::vector<std::string>{"S" + std::to_string(i), "", "1A", "", "M", "ESO", "1", "A",
                                                 cases[i].second.first, cases[i].second.second}));
  }
}

TEST_F(Assignments, HugeAndTinyHoursGiveAPatternCutToItsField) {
  // Columns 28-33 leave room for six characters: exponents fit.
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"25e-1", "11\xBD"},
      {"1,5e1", "2" + ones(13)},
      {"1e-999", "1"},
      {"-1e999", "1"},
      {"1e7", "9999987" + ones(13)},          // twenty characters exactly
      {"1e8", "99999987" + ones(12)},         // one too many: cut
      {"1e15", "999999999999987" + ones(5)},
      {"1E999", "999999999999987" + ones(5)},  // beyond any integer: clamped
  };
  std::vector<std::string> assignments, hoursLines;
  for (size_t i = 0; i < cases.size(); ++i) {
    const std::string subject = "S" + std::to_string(i);
    assignments.push_back(assignment("1A", subject));
    hoursLines.push_back(hours("ESO", "1", subject, cases[i].first));
  }
  writeAssignments(assignments);
  writeHours(hoursLines);
  EXPECT_EQ(run(), "");
  tables::Table table;
  table.open(work.path(), "ASIGT.DBF", tables::OpenMode::ReadOnlyShared);
  std::vector<double> hoursRead;
  for (const auto& [text, pattern] : cases) {
    SCOPED_TRACE("hours text '" + text + "'");
    ASSERT_FALSE(table.eof());
    EXPECT_EQ(table.asString("SESIONES"), pattern);
    hoursRead.push_back(table.asFloat("HORAS"));
    table.next();
  }
  EXPECT_EQ(hoursRead[0], 2.5);
  EXPECT_EQ(hoursRead[1], 15.0);
  EXPECT_EQ(hoursRead[2], 1.0);
  EXPECT_EQ(hoursRead[3], 1.0);
  EXPECT_EQ(hoursRead[4], 1e7);
  EXPECT_EQ(hoursRead[5], 1e8);
  EXPECT_EQ(hoursRead[6], 1e15);
  EXPECT_GT(hoursRead[7], 1e308);
}

TEST_F(Assignments, FileWithoutDataRecordsGivesNoRowsYetNeedsTheGroupsTable) {
  writeAssignments({});
  EXPECT_EQ(run(), "");
  EXPECT_EQ(asigt(), Rows{});
  // The hours file is still looked for.
  const auto& events = notifier.events;
  EXPECT_NE(std::find(events.begin(), events.end(), "No existe archivo de grupos (TEBA_ASIGNATCURSO.TXT)"),
            events.end());

  // GRUPOST is opened even for no rows: without it the run ends.
  ASSERT_EQ(std::remove(teba.file("teba_grupo.txt").c_str()), 0);
  ASSERT_EQ(std::remove(work.file("GRUPOST.DBF").c_str()), 0);
  EXPECT_EQ(run(), "Table does not exist.\nTable: " + work.file("GRUPOST.DBF"));
  EXPECT_EQ(session.ResultadoTraspaso, -1);
  EXPECT_EQ(asigt(), Rows{});
}

TEST_F(Assignments, GroupsJoinOnTheFirstExactCodeAndHoursOnTheFirstLine) {
  teba.write("teba_grupo.txt",
             tebaFile("TEBA_GRUPO.TXT", {line({{1, "1"}, {2, "1ESO A"}, {12, "1A"}, {16, "ESO"}, {22, "1"}, {35, "M"}}),
                                         line({{1, "1"}, {2, "1ESO B"}, {12, "1A"}, {16, "BAC"}, {22, "2"}, {35, "T"}})}));
  writeAssignments({assignment("1A", "MAT"), assignment("1A", "MAT"), assignment("1a", "MAT"),
                    assignment("9Z", "LEN"), ""});
  writeHours({hours("ESO", "1", "MAT", "3"), hours("ESO", "1", "MAT", "5"), hours("", "", "MAT", "7")});
  EXPECT_EQ(run(), "");
  EXPECT_EQ(asigt(), (Rows{
                         {"MAT", "", "1A", "", "M", "ESO", "1", "A", "3", "111"},
                         {"MAT", "", "1A", "", "M", "ESO", "1", "A", "3", "111"},
                         // Case matters: no group, so the hours line without level and course.
                         {"MAT", "", "1a", "", "", "", "", "", "7", ones(7)},
                         {"LEN", "", "9Z", "", "", "", "", "", "1", "1"},
                         // An empty line is a data record too.
                         {"", "", "", "", "", "", "", "", "1", "1"},
                     }));
}

TEST_F(Assignments, BadHoursTextEndsTheRunKeepingEarlierRows) {
  // Twenty rows without hours first, then one with hours, the bad one, and
  // two after it.
  std::vector<std::string> lines(20, assignment("1A", "X"));
  for (const char* subject : {"A", "B", "C"}) lines.push_back(assignment("1A", subject));
  lines.push_back(assignment("2A", "D"));
  writeAssignments(lines);
  writeHours({hours("ESO", "1", "A", "4"), hours("ESO", "1", "B", "2,x"), hours("ESO", "1", "C", "2")});
  EXPECT_EQ(run(), "'2.x' no es un valor punto flotante v\xE1lido");
  EXPECT_EQ(session.ResultadoTraspaso, -1);
  // Every row is joined; only the row before the bad one that had a record
  // keeps its hours: the final pass never ran, so no row took the default.
  Rows expected(20, {"X", "", "1A", "", "M", "ESO", "1", "A", "", ""});
  expected.push_back({"A", "", "1A", "", "M", "ESO", "1", "A", "4", "1111"});
  expected.push_back({"B", "", "1A", "", "M", "ESO", "1", "A", "", ""});
  expected.push_back({"C", "", "1A", "", "M", "ESO", "1", "A", "", ""});
  expected.push_back({"D", "", "2A", "", "T", "ESO", "2", "A", "", ""});
  EXPECT_EQ(asigt(), expected);
}

// Random schools against a plain model of the four passes as written: load,
// join on the first exact ABREV by a scan of GRUPOST, hours from the first
// matching subject-course line by a scan, the default hour. Covers repeated
// and case-differing codes, records without a group or hours, bad hours
// texts at any row, a missing hours file, and rows beyond one batch.
TEST_F(Assignments, RandomSchoolsGiveTheTableTheFourPassesGive) {
  struct Text {
    const char* written;
    const char* horas;     // as the table reads it back
    const char* sesiones;
  };
  const Text texts[] = {{"", "1", "1"},        {"3", "3", "111"},       {"2,5", "2.5", "11\xBD"},
                        {"0,5", "1", "1"},     {"14", "14", "11111111111111"},
                        {"x", nullptr, nullptr}};  // not a number
  const char* const groupCodes[] = {"1A", "1a", "2B", "9Z"};
  const char* const levels[] = {"ESO", "BAC", ""};
  const char* const courses[] = {"1", "2", ""};
  const char* const subjects[] = {"MAT", "LEN", "ING", ""};
  std::mt19937 random(2026);
  auto pick = [&](const auto& from) { return from[random() % std::size(from)]; };

  for (int school = 0; school < 150; ++school) {
    SCOPED_TRACE("school " + std::to_string(school));
    std::vector<std::string> groupLines;
    for (size_t i = 0, n = random() % 4; i <= n; ++i) {
      const std::string unit = std::string("U") + pick(courses) + pick(groupCodes);
      groupLines.push_back(line({{1, "1"}, {2, unit}, {12, pick(groupCodes)}, {16, pick(levels)},
                                 {22, pick(courses)}, {35, random() % 2 ? "M" : "T"}}));
    }
    teba.write("teba_grupo.txt", tebaFile("TEBA_GRUPO.TXT", groupLines));
    struct Record {
      std::string group, subject;
    };
    std::vector<Record> records;
    std::vector<std::string> lines;
    for (size_t i = 0, n = random() % 45; i < n; ++i) {
      records.push_back({pick(groupCodes), pick(subjects)});
      lines.push_back(assignment(records.back().group, records.back().subject));
    }
    writeAssignments(lines);
    struct HoursRecord {
      std::string level, course, subject;
      const Text* text;
    };
    std::vector<HoursRecord> hoursRecords;
    const bool hoursFile = random() % 6 != 0;
    if (hoursFile) {
      std::vector<std::string> hoursLines;
      for (size_t i = 0, n = random() % 12; i < n; ++i) {
        const Text* text = random() % 10 == 0 ? &texts[5] : &texts[random() % 5];
        hoursRecords.push_back({pick(levels), pick(courses), pick(subjects), text});
        hoursLines.push_back(hours(hoursRecords.back().level, hoursRecords.back().course,
                                   hoursRecords.back().subject, text->written));
      }
      writeHours(hoursLines);
    } else {
      std::remove(teba.file("teba_asignatcurso.txt").c_str());
    }

    const std::string error = run();
    const Rows grupost = readTable(work.path(), "GRUPOST.DBF");
    Rows expected;
    std::string expectedError;
    for (const Record& record : records) {
      std::vector<std::string> row = {record.subject, "", record.group, "", "", "", "", "", "", ""};
      for (const auto& group : grupost)
        if (group[0] == record.group) {
          for (size_t i = 0; i < 4; ++i) row[4 + i] = group[1 + i];
          break;
        }
      expected.push_back(row);
    }
    if (hoursFile) {
      size_t end = 0;  // rows the hours pass went through
      for (; end < expected.size(); ++end) {
        std::vector<std::string>& row = expected[end];
        const HoursRecord* match = nullptr;
        for (const HoursRecord& h : hoursRecords)
          if (h.subject == row[0] && h.level == row[5] && h.course == row[6]) {
            match = &h;
            break;
          }
        if (!match) continue;
        if (!match->text->horas) {
          expectedError = "'x' no es un valor punto flotante v\xE1lido";
          break;
        }
        row[8] = match->text->horas;
        row[9] = match->text->sesiones;
      }
      if (expectedError.empty())
        for (auto& row : expected)
          if (row[8].empty()) row[8] = row[9] = "1";
    }
    EXPECT_EQ(error, expectedError);
    ASSERT_EQ(asigt(), expected);
  }
}

TEST_F(Assignments, MissingHoursFileLeavesHoursEmptyAndTheResultAlone) {
  writeAssignments({assignment("1A", "A")});
  EXPECT_EQ(run(), "");
  EXPECT_EQ(asigt(), (Rows{{"A", "", "1A", "", "M", "ESO", "1", "A", "", ""}}));
  // Other inputs are missing too; the hours file adds its message only.
  const auto& events = notifier.events;
  EXPECT_NE(std::find(events.begin(), events.end(), "No existe archivo de grupos (TEBA_ASIGNATCURSO.TXT)"),
            events.end());
}

TEST_F(Assignments, MissingGroupsTableEndsTheRunWithTheLoadedRows) {
  std::remove(teba.file("teba_grupo.txt").c_str());
  writeAssignments({assignment("1A", "A"), assignment("2A", "B")});
  EXPECT_EQ(run(), "Table does not exist.\nTable: " + work.file("GRUPOST.DBF"));
  EXPECT_EQ(session.ResultadoTraspaso, -1);
  EXPECT_EQ(asigt(), (Rows{{"A", "", "1A", "", "", "", "", "", "", ""},
                           {"B", "", "2A", "", "", "", "", "", "", ""}}));
}

// The rules the step and the consistency report share: a group's fields as
// ASIGT keeps them (cut to its field sizes, trailing blanks gone, which is
// what the hours look-up then compares), the first record of a key winning.
TEST(AssignmentRules, GroupsAsAsigtKeepsThemAndTheFirstRecordWins) {
  GroupJoin groups;
  groups.add("1A", {"MTX", "BAC  X", "1234", "AB C"});
  groups.add("1A", {"T", "ESO", "1", "A"});
  ASSERT_NE(groups.find("1A"), nullptr);
  EXPECT_EQ(groups.find("1A")->turno, "M");
  EXPECT_EQ(groups.find("1A")->nivel, "BAC");
  EXPECT_EQ(groups.find("1A")->curso, "123");
  EXPECT_EQ(groups.find("1A")->grupo, "AB");
  EXPECT_EQ(groups.find("1a"), nullptr);

  SubjectHours hours;
  hours.add({"ESO", "1", "MAT", "3"});
  hours.add({"ESO", "1", "MAT", "5"});
  hours.add({"", "", "MAT", ""});
  ASSERT_NE(hours.find("MAT", "ESO", "1"), nullptr);
  EXPECT_EQ(*hours.find("MAT", "ESO", "1"), "3");
  EXPECT_EQ(*hours.find("MAT", "", ""), "");
  EXPECT_EQ(hours.find("MAT", "ESO1", ""), nullptr);  // the three texts stay apart
  EXPECT_EQ(hours.find("mat", "ESO", "1"), nullptr);
  EXPECT_EQ(weeklyHours(""), 1.0);
  EXPECT_EQ(weeklyHours("2,5"), 2.5);
  EXPECT_EQ(weeklyHours("0,5"), 1.0);
  EXPECT_EQ(hoursNumberText("1,5e1"), "1.5e1");
}

TEST(HoursText, OnlyDecimalNumbersAreHours) {
  EXPECT_EQ(parseHours("+1.5e1"), 15.0);
  EXPECT_EQ(parseHours("-0.25"), -0.25);
  EXPECT_EQ(parseHours("1e999"), 1.7976931348623157e308);
  EXPECT_EQ(parseHours("1e-999"), 0.0);
  for (const char* bad : {".", "1..2", "1.2.3", "e5", "1e", "1e+", "--1", "0x10", "inf", "nan", "1,5", " 1"}) {
    try {
      parseHours(bad);
      ADD_FAILURE() << bad << " was read as hours";
    } catch (const Error& error) {
      EXPECT_EQ(error.what(), "'" + std::string(bad) + "' no es un valor punto flotante v\xE1lido");
    }
  }
}

TEST(HoursText, HugeHoursGiveAPatternCutToTheField) {
  EXPECT_EQ(sessionPattern(1.7976931348623157e308, 20), "99999999999998711111");
  EXPECT_EQ(sessionPattern(1e15 + 0.5, 20), "99999999999998711111");
  EXPECT_EQ(sessionPattern(3.0001, 20), "111\xBD");
}

}  // namespace
}  // namespace tht
