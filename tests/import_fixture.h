// A TEBA folder, a work folder with the six tables an import opens, a
// notifier that records what the user would see, and fixed timestamps.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "import/import_run.h"
#include "platform/error.h"
#include "core/session.h"
#include "tables/table.h"
#include "tests/support/recording_notifier.h"
#include "tests/support/temp_folder.h"

namespace tht::test {

// Creates `name` in `folder` with our engine and appends `rows`; a value for
// an integer field is given as its decimal text.
inline void writeTable(const std::string& folder, const std::string& name,
                       const std::vector<tables::FieldDef>& fields,
                       const std::vector<std::vector<std::string>>& rows) {
  tables::createTable(folder, name, fields);
  tables::Table table;
  table.open(folder, name + ".DBF", tables::OpenMode::Shared);
  for (const auto& row : rows) {
    table.append();
    for (size_t i = 0; i < row.size(); ++i) {
      if (fields[i].kind == tables::FieldKind::Integer)
        table.setInteger(i, std::stoi(row[i]));
      else
        table.setString(i, row[i]);
    }
    table.post();
  }
  table.close();
}

// A TEBA header record for the fixed timestamps below.
inline std::string headerOf(const std::string& name, const std::string& centre8,
                            const std::string& stamp) {
  return "0" + name + std::string(50 - name.size(), ' ') + centre8 + stamp;
}

class ImportFixture : public ::testing::Test {
 protected:
  static constexpr const char* kHeaderStamp = "090220260830";
  static constexpr const char* kTrailerStamp = "090220260831";

  void SetUp() override {
    writeSubjects("28040123");
    writeSessions("L");
    for (const char* name : {"GRUPOST", "PROFT", "AULAT", "ASIGNOMT"})
      writeTable(work.path(), name, {{"ABREV", tables::FieldKind::String, 4}}, {{"X"}});
    writeSlots({{"L", "1", "0001"}, {"L", "2", "0002"}, {"M", "1", "0007"}});
    writeLessons({});
  }

  void writeSubjects(const std::string& centre8) {
    teba.write("teba_asignat.txt", headerOf("TEBA_ASIGNAT.TXT", centre8, "010920250900") +
                                       "\r\n1MAT MAT-1ESO          Matem\xE1ticas\r\n");
  }

  // The sessions file's second line carries `column9` in column 9.
  void writeSessions(const std::string& column9) {
    teba.write("teba_sesiones.txt", headerOf("TEBA_SESIONES.TXT", "28040123", "010920250900") +
                                        "\r\n1   0001" + column9 + "08300925\r\n");
  }

  // DIASHORAST as the export builds it: DIA, HORA and CODDIHO as text.
  void writeSlots(const std::vector<std::vector<std::string>>& slots) {
    std::vector<std::vector<std::string>> rows;
    for (const auto& s : slots) rows.push_back({s[0] + s[1], s[2], s[0], "", s[1], "", "", ""});
    using tables::FieldKind;
    writeTable(work.path(), "DIASHORAST",
               {{"DIHO", FieldKind::String, 10}, {"CODDIHO", FieldKind::String, 10},
                {"DIA", FieldKind::String, 20}, {"TEXTODIA", FieldKind::String, 20},
                {"HORA", FieldKind::String, 8}, {"HORADESDE", FieldKind::String, 8},
                {"HORAHASTA", FieldKind::String, 8}, {"MINUTOS", FieldKind::String, 8}},
               rows);
  }

  // SOLUC with numeric DIA and HORA: rows of DIA, HORA, PROF, CODGRUPO, ASIG, AULA.
  void writeLessons(const std::vector<std::vector<std::string>>& rows, int profSize = 4) {
    using tables::FieldKind;
    writeTable(work.path(), "SOLUC",
               {{"DIA", FieldKind::Integer, 0}, {"HORA", FieldKind::Integer, 0},
                {"PROF", FieldKind::String, profSize}, {"CODGRUPO", FieldKind::String, 4},
                {"ASIG", FieldKind::String, 4}, {"AULA", FieldKind::String, 4}},
               rows);
  }

  bool run() {
    stamps = {kHeaderStamp, kTrailerStamp};
    RunEnvironment env{work.path(), notifier, [this] {
                         std::string next = stamps.empty() ? "" : stamps.front();
                         if (!stamps.empty()) stamps.pop_front();
                         return next;
                       }};
    return BImportarClick(session, teba.path(), components, env);
  }

  // The error message of a run that must fail.
  std::string runError() {
    try {
      run();
    } catch (const Error& e) {
      return e.what();
    }
    ADD_FAILURE() << "the import did not fail";
    return {};
  }

  std::string output() const { return readBytes(teba.file("TEBA_HORARIO.TXT")); }

  std::string header(const std::string& centre8 = "28040123") const {
    return headerOf("TEBA_HORARIO.TXT", centre8, kHeaderStamp) + "\r\n";
  }
  std::string trailer(size_t count, const std::string& centre8 = "28040123") const {
    return "9TEBA_HORARIO.TXT" + std::string(34, ' ') + centre8 + kTrailerStamp +
           std::to_string(count) + "\r\n";
  }

  bool anyTableOpen() const {
    return components.wwTableSoluc.isOpen() || components.wwTableGrupos.isOpen() ||
           components.wwTableProfesor.isOpen() || components.wwTableAulas.isOpen() ||
           components.wwTableNomAsg.isOpen() || components.wwTableTramos.isOpen();
  }

  TempFolder teba;
  TempFolder work;
  RecordingNotifier notifier;
  Session session;
  ImportTables components;
  std::deque<std::string> stamps;
};

}  // namespace tht::test
