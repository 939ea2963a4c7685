// What the four catalogue steps store: every row and field of ASIGNOMT,
// PROFT, AULAT and GRUPOST, and the tables' layout.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <memory>

#include "export/export_run.h"
#include "tests/export_catalogue_fixture.h"

namespace tht {
namespace {

TEST_F(CatalogueTables, SubjectsFirstOfEachCodeIgnoringCaseOnly) {
  run();
  // MAT/mat and MÁT/mát are one code each; MAT/MÁT and ß/ss are two; the
  // empty code gives one row, and a line of blanks repeats it.
  EXPECT_EQ(readTable(work.path(), "ASIGNOMT.DBF"), kSubjects);
}

TEST_F(CatalogueTables, TeachersKeepTheFirstRecordOfACode) {
  run();
  const Rows expected = {
      {"P1", "Ana Ruiz", "Matem\xE1ticas", "", "", ""},
      {"P2", std::string(30, 'A') + std::string(10, 'B'), std::string(35, 'C') + "DDDDD", "", "", ""},
      {"\xD1O", "Primero", "", "", "", ""},
  };
  EXPECT_EQ(readTable(work.path(), "PROFT.DBF"), expected);
}

TEST_F(CatalogueTables, RoomsKeepEveryRecord) {
  run();
  const Rows expected = {
      {"A1", "Aula uno", "", "", ""},
      {"A1", "Aula uno bis", "", "", ""},
      {"", "", "", "", ""},
      {"", "", "", "", ""},
      {"a1", kAlphabet.substr(0, 40), "", "", ""},
  };
  EXPECT_EQ(readTable(work.path(), "AULAT.DBF"), expected);
}

TEST_F(CatalogueTables, GroupsShiftLevelAndGroupLetter) {
  run();
  EXPECT_EQ(readTable(work.path(), "GRUPOST.DBF"), kGroups);
}

TEST_F(CatalogueTables, InputNamesMatchIgnoringCase) {
  writeInputs();
  const std::string rooms = test::readBytes(teba.file("teba_aulas.txt"));
  ASSERT_EQ(std::remove(teba.file("teba_aulas.txt").c_str()), 0);
  teba.write("TEBA_AULAS.TXT", rooms);
  ASSERT_FALSE(BExportarClick(session, teba.path(), env));
  EXPECT_EQ(session.ResultadoTraspaso, 1);
  EXPECT_EQ(readTable(work.path(), "AULAT.DBF").size(), 5u);
}

// The field descriptors of a dBase file: name, type letter, length.
struct FieldInfo {
  std::string name;
  char type;
  int length;
  bool operator==(const FieldInfo& o) const { return name == o.name && type == o.type && length == o.length; }
};

std::vector<FieldInfo> fieldsOf(const std::string& bytes) {
  std::vector<FieldInfo> fields;
  for (size_t at = 32; at + 32 <= bytes.size() && bytes[at] != '\x0D'; at += 32) {
    std::string name = bytes.substr(at, 11);
    name.resize(name.find('\0') == std::string::npos ? 11 : name.find('\0'));
    fields.push_back({name, bytes[at + 11], static_cast<uint8_t>(bytes[at + 16])});
  }
  return fields;
}

TEST_F(CatalogueTables, TablesHaveTheirFieldsInOrder) {
  run();
  using F = std::vector<FieldInfo>;
  EXPECT_EQ(fieldsOf(test::readBytes(work.file("ASIGNOMT.DBF"))),
            (F{{"COD", 'C', 4}, {"CODLARGO", 'C', 8}, {"NOMBRE", 'C', 40}, {"MATERIA", 'C', 8}}));
  EXPECT_EQ(fieldsOf(test::readBytes(work.file("GRUPOST.DBF"))),
            (F{{"ABREV", 'C', 4}, {"TURNO", 'C', 1}, {"NIVEL", 'C', 5}, {"CURSO", 'C', 3},
               {"GRUPO", 'C', 2}, {"UNIDAD", 'C', 10}}));
  // The integer fields' type letter and width are the engine's choice.
  const F teachers = fieldsOf(test::readBytes(work.file("PROFT.DBF")));
  ASSERT_EQ(teachers.size(), 6u);
  EXPECT_EQ(teachers[3].name, "DNI");
  EXPECT_NE(teachers[3].type, 'C');
  EXPECT_EQ(F(teachers.begin(), teachers.begin() + 3),
            (F{{"ABREV", 'C', 4}, {"NOMBRE", 'C', 40}, {"DEPART", 'C', 40}}));
  EXPECT_EQ(F(teachers.begin() + 4, teachers.end()), (F{{"X_EMPLEADO", 'C', 10}, {"F_TOMAPOS", 'C', 10}}));
  const F rooms = fieldsOf(test::readBytes(work.file("AULAT.DBF")));
  ASSERT_EQ(rooms.size(), 5u);
  EXPECT_EQ(rooms[3].name, "MAXALUM");
  EXPECT_NE(rooms[3].type, 'C');
  EXPECT_EQ(F(rooms.begin(), rooms.begin() + 3),
            (F{{"ABREV", 'C', 4}, {"NOMBRE", 'C', 40}, {"EDIFICIO", 'C', 1}}));
  EXPECT_EQ(rooms[4], (FieldInfo{"DEPCENTRO", 'C', 10}));
}

}  // namespace
}  // namespace tht
