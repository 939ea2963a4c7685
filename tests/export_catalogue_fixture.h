// The catalogue steps' inputs, with the rows of ASIGNOMT and GRUPOST that
// they give, for the catalogue tests.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "export/export_run.h"
#include "tests/export_fixture.h"

namespace tht {

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

}  // namespace tht
