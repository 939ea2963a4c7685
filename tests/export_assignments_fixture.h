// The fixture of the teaching assignments tests: groups 1A and 2A in the
// groups file, and helpers that write the step's two input files and run the
// export.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "export/export_run.h"
#include "platform/error.h"
#include "tests/export_fixture.h"

namespace tht::test {

inline std::string ones(size_t n) { return std::string(n, '1'); }

struct Assignments : ::testing::Test, ExportFixture {
  // Groups 1A (ESO 1) and 2A (ESO 2); every other input but the ones a test
  // writes itself is left out, which ends only the steps that need it.
  void SetUp() override {
    teba.write("teba_grupo.txt",
               tebaFile("TEBA_GRUPO.TXT", {line({{1, "1"}, {2, "1ESO A"}, {12, "1A"}, {16, "ESO"}, {22, "1"}, {35, "M"}}),
                                           line({{1, "1"}, {2, "2ESO A"}, {12, "2A"}, {16, "ESO"}, {22, "2"}, {35, "T"}})}));
  }
  void writeAssignments(const std::vector<std::string>& lines) {
    teba.write("teba_asignatgrupo.txt", tebaFile("TEBA_ASIGNATGRUPO.TXT", lines));
  }
  void writeHours(const std::vector<std::string>& lines) {
    teba.write("teba_asignatcurso.txt", tebaFile("TEBA_ASIGNATCURSO.TXT", lines));
  }
  static std::string assignment(const std::string& group, const std::string& subject) {
    return line({{1, "1"}, {2, "UNIDAD"}, {12, group}, {16, subject}});
  }
  static std::string hours(const std::string& level, const std::string& course, const std::string& subject,
                           const std::string& text) {
    return line({{1, "1"}, {2, level}, {8, course}, {24, subject}, {28, text}});
  }
  std::string run() {
    try {
      BExportarClick(session, teba.path(), env);
    } catch (const Error& error) {
      return error.what();
    }
    return {};
  }
  Rows asigt() { return readTable(work.path(), "ASIGT.DBF"); }
};

}  // namespace tht::test
