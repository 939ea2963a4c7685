// What the four catalogue steps store: every row and field of ASIGNOMT,
// PROFT, AULAT and GRUPOST, the tables' layout, and a reading by another
// program's dBase reader.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <memory>

#include "export/export_run.h"
#include "tests/export_fixture.h"

namespace tht {
namespace {

using test::line;
using test::readTable;
using test::Rows;
using test::tebaFile;

const std::string kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";  // 52

struct CatalogueTables : ::testing::Test, test::ExportFixture {
  void writeInputs() {
    teba.write("teba_asignat.txt",
               tebaFile("TEBA_ASIGNAT.TXT",
                        {
                            line({{1, "1"}, {2, "MAT"}, {6, "MATEMATICAS1"}, {26, "Matem\xE1ticas"}}),
                            line({{1, "1"}, {2, "mat"}, {6, "OTRA"}, {26, "Otra"}}),
                            line({{1, "1"}, {2, "M\xC1T"}, {6, "MAT2"}, {26, kAlphabet}}),
                            line({{1, "1"}, {2, "m\xE1t"}, {6, "X"}, {26, "Repetida"}}),
                            line({{1, "1"}, {2, "\xDF"}}),
                            line({{1, "1"}, {2, "ss"}, {26, "  Dos eses\t"}}),
                            "",
                            "     ",
                            "",
                            line({{1, "1"}, {2, "   teba_asignat.txt  "}}),
                            "1\tLEN\t",
                        }));
    teba.write("teba_prof.txt",
               tebaFile("TEBA_PROF.TXT",
                        {
                            line({{1, "1"}, {2, "P1"}, {6, "Ana Ruiz"}, {96, "Matem\xE1ticas"}}),
                            line({{1, "1"}, {2, "p1"}, {6, "Otro nombre"}, {96, "Otro"}}),
                            line({{1, "1"}, {2, "P2"},
                                  {6, std::string(30, 'A') + std::string(60, 'B')},
                                  {96, std::string(35, 'C') + std::string(15, 'D')}}),
                            line({{1, "1"}, {2, "\xD1O"}, {6, "Primero"}}),
                            line({{1, "1"}, {2, "\xF1o"}, {6, "Segundo"}}),
                            line({{1, "1"}, {2, "P1"}, {6, "Ana otra vez"}}),
                        }));
    teba.write("teba_aulas.txt",
               tebaFile("TEBA_AULAS.TXT",
                        {
                            line({{1, "1"}, {2, "AULA01"}, {12, "A1"}, {86, "Aula uno"}}),
                            line({{1, "1"}, {2, "AULA01B"}, {12, "A1"}, {86, "Aula uno bis"}}),
                            "",
                            "",
                            line({{1, "1"}, {12, "a1"}, {86, kAlphabet}}),
                        }));
    teba.write("teba_grupo.txt",
               tebaFile("TEBA_GRUPO.TXT",
                        {
                            line({{1, "1"}, {2, "1ESO A"}, {12, "1A"}, {16, "ESO"}, {22, "1"}, {35, "MA\xD1"}}),
                            line({{1, "1"}, {2, "2BACH"}, {12, "2B"}, {22, "2"}, {35, "T"}}),
                            "",
                            line({{1, "1"}, {2, "TEBA_GRUPO.TXT"}}),
                            line({{1, "1"}, {2, "TEBA_GRUPOS.TXT"}}),
                            line({{1, "1"}, {2, "1BACH-CT-X"}, {12, "BCTX"}, {16, "BAC"}, {22, "1"}, {35, " N "}}),
                        }));
    // The other steps' inputs, without data records.
    teba.write("teba_asignatgrupo.txt", tebaFile("TEBA_ASIGNATGRUPO.TXT", {}));
    teba.write("teba_asignatcurso.txt", tebaFile("TEBA_ASIGNATCURSO.TXT", {}));
    teba.write("teba_sesiones.txt", tebaFile("TEBA_SESIONES.TXT", {}));
  }

  void run() {
    writeInputs();
    ASSERT_FALSE(BExportarClick(session, teba.path(), env));
    ASSERT_EQ(session.ResultadoTraspaso, 1);
  }
};

const Rows kSubjects = {
    {"MAT", "MATEMATI", "Matem\xE1ticas", ""},
    {"M\xC1T", "MAT2", "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmn", ""},
    {"\xDF", "", "", ""},
    {"ss", "", "Dos eses", ""},
    {"", "", "", ""},
    {"LEN", "", "", ""},
};

const Rows kGroups = {
    {"1A", "M", "ESO", "1", "A", "1ESO A"},
    {"2B", "T", "NIV", "2", "H", "2BACH"},
    {"", "", "NIV", "", "", ""},
    // The file's own name with column 1 "1" is a data record.
    {".TXT", "", "NIV", "", "O", "TEBA_GRUPO"},
    {"BCTX", "N", "BAC", "1", "X", "1BACH-CT-X"},
};

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

// The rows of a table as Debian's python3-dbfread sees them, one "|"-joined line
// per row, the bytes as stored.
std::string dumpWithDbfread(const std::string& path) {
  const std::string command =
      "/usr/bin/python3 '" + test::sourceDir() + "/tests/support/dbf_rows.py' '" + path + "' 2>&1";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
  if (!pipe) return "cannot run python3";
  std::string out;
  char buffer[4096];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0;) out.append(buffer, n);
  return out;
}

std::string joined(const Rows& rows) {
  std::string out;
  for (const auto& row : rows) {
    for (size_t i = 0; i < row.size(); ++i) out += (i ? "|" : "") + row[i];
    out += "\n";
  }
  return out;
}

TEST_F(CatalogueTables, AnotherDbaseReaderReadsTheTables) {
  run();
  EXPECT_EQ(dumpWithDbfread(work.file("ASIGNOMT.DBF")), joined(kSubjects));
  EXPECT_EQ(dumpWithDbfread(work.file("GRUPOST.DBF")), joined(kGroups));
}

}  // namespace
}  // namespace tht
