// Helpers for the export tests: a notifier that records what the user would
// see, TEBA lines built column by column, and tables read back whole.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "core/notifier.h"
#include "core/session.h"
#include "tables/table.h"
#include "tests/support/recording_notifier.h"
#include "tests/support/temp_folder.h"

namespace tht::test {

// A line with each text placed at its 1-based column, blanks between.
inline std::string line(std::vector<std::pair<size_t, std::string>> placed) {
  std::string out;
  for (const auto& [column, text] : placed) {
    if (out.size() < column - 1) out.resize(column - 1, ' ');
    out.replace(column - 1, text.size(), text);
  }
  return out;
}

// A TEBA file: its header, the given lines and its trailer, CR LF ends.
inline std::string tebaFile(const std::string& ownName, const std::vector<std::string>& lines) {
  std::string out = line({{1, "0"}, {2, ownName}, {52, "41000000"}, {60, "010920240800"}}) + "\r\n";
  for (const std::string& l : lines) out += l + "\r\n";
  out += line({{1, "9"}, {2, ownName}, {52, "41000000"}, {60, "010920240801"}}) +
         std::to_string(lines.size()) + "\r\n";
  return out;
}

using Rows = std::vector<std::vector<std::string>>;

// Every row of a table, every field as text, read with our engine.
inline Rows readTable(const std::string& folder, const std::string& fileName) {
  tables::Table table;
  table.open(folder, fileName, tables::OpenMode::ReadOnlyShared);
  Rows rows;
  for (table.first(); !table.eof(); table.next()) {
    std::vector<std::string> row;
    for (size_t i = 0; i < table.fieldCount(); ++i) row.push_back(table.asString(i));
    rows.push_back(row);
  }
  return rows;
}

// A TEBA folder and a work folder side by side, with the session and the
// environment a run needs.
struct ExportFixture {
  TempFolder teba;
  TempFolder work;
  RecordingNotifier notifier;
  Session session;
  RunEnvironment env{work.path(), notifier};
};

}  // namespace tht::test
