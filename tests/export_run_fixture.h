// The export run tests' scene: the six catalogue inputs with the messages
// their absence gives, and a TEBA folder and a work folder with the old
// tables an earlier run left.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "export/export_run.h"
#include "platform/error.h"
#include "platform/files.h"
#include "tests/export_fixture.h"

namespace tht {

using test::line;
using test::readTable;
using test::tebaFile;
using Events = std::vector<std::string>;

struct Catalogue {
  const char* input;
  const char* ownName;
  const char* table;
  const char* missingMessage;
  std::string record;
  size_t rows;  // rows the table gets from two copies of the record
};

// The six tables, each with the input file whose absence ends its step.
const std::array<Catalogue, 6> kCatalogues = {{
    {"teba_asignat.txt", "TEBA_ASIGNAT.TXT", "ASIGNOMT",
     "No existe archivo de asignaturas (TEBA_ASIGNAT.TXT)", line({{1, "1"}, {2, "MAT"}, {26, "Mates"}}), 1},
    {"teba_prof.txt", "TEBA_PROF.TXT", "PROFT", "No existe archivo de profesores (TEBA_PROF.TXT)",
     line({{1, "1"}, {2, "P1"}, {6, "Ana"}}), 1},
    {"teba_aulas.txt", "TEBA_AULAS.TXT", "AULAT", "No existe archivo de aulas (TEBA_AULAS.TXT)",
     line({{1, "1"}, {12, "A1"}, {86, "Aula"}}), 2},
    {"teba_grupo.txt", "TEBA_GRUPO.TXT", "GRUPOST", "No existe archivo de grupos (TEBA_GRUPO.TXT)",
     line({{1, "1"}, {2, "1ESO A"}, {12, "1A"}}), 2},
    {"teba_asignatgrupo.txt", "TEBA_ASIGNATGRUPO.TXT", "ASIGT",
     "No existe archivo de grupos (TEBA_ASIGNATGRUPO.TXT)", line({{1, "1"}, {12, "1A"}, {16, "MAT"}}), 2},
    {"teba_sesiones.txt", "TEBA_SESIONES.TXT", "DIASHORAST", "No existe archivo de grupos (TEBA_SESIONES.TXT)",
     line({{1, "1"}, {5, "0001"}, {9, "L"}, {10, "0830"}, {14, "0925"}}), 2},
}};

// The weekly hours, read by the assignments step; its absence is no failure.
const std::string kHoursFile =
    tebaFile("TEBA_ASIGNATCURSO.TXT", {line({{1, "1"}, {2, "NIV"}, {24, "MAT"}, {28, "3"}})});

const Events kWentThrough = {"busy on", "busy off", "Proceso finalizado"};

inline std::string oldTable(const Catalogue& c) { return std::string("old bytes of ") + c.table; }

// A TEBA folder and a work folder with what the run tests put there and check.
struct Scene : test::ExportFixture {
  void writeInput(const Catalogue& c) { teba.write(c.input, tebaFile(c.ownName, {c.record, c.record})); }
  void writeAllInputs() {
    for (const Catalogue& c : kCatalogues) writeInput(c);
    teba.write("teba_asignatcurso.txt", kHoursFile);
  }
  // What an earlier run left in the work folder.
  void writeOldTables() {
    for (const Catalogue& c : kCatalogues) {
      work.write(std::string(c.table) + ".DBF", oldTable(c));
      work.write(std::string(c.table) + ".MDX", "old index");
    }
  }
  void expectOldTable(const Catalogue& c) {
    SCOPED_TRACE(c.table);
    EXPECT_EQ(test::readBytes(work.file(std::string(c.table) + ".DBF")), oldTable(c));
    EXPECT_EQ(test::readBytes(work.file(std::string(c.table) + ".MDX")), "old index");
  }
  // Rebuilt: the old index is gone and the table holds the new rows.
  void expectRebuilt(const Catalogue& c, size_t rows) {
    SCOPED_TRACE(c.table);
    EXPECT_FALSE(fileExists(work.file(std::string(c.table) + ".MDX")));
    EXPECT_EQ(readTable(work.path(), std::string(c.table) + ".DBF").size(), rows);
  }
  // The message of the error that ends the run; empty when none did.
  std::string runExpectingError() {
    try {
      BExportarClick(session, teba.path(), env);
    } catch (const Error& e) {
      return e.what();
    }
    return {};
  }
};

struct ExportRun : ::testing::Test, Scene {};

}  // namespace tht
