#include "cli/show_table.h"

#include <algorithm>
#include <ostream>
#include <vector>

#include "cli/console.h"
#include "platform/cp1252.h"
#include "platform/files.h"
#include "tables/table.h"

namespace tht::cli {
namespace {

std::string csvValue(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

// Characters a terminal shows for the CP1252 bytes (one per byte).
size_t displayWidth(const std::string& cp1252) { return cp1252.size(); }

}  // namespace

void showTable(const std::string& path, bool csv, std::ostream& out) {
  const PathParts parts = splitPath(path);
  tables::Table table;
  table.open(parts.folder, parts.name, tables::OpenMode::ReadOnlyShared);
  const size_t fields = table.fieldCount();
  std::vector<std::string> names(fields);
  for (size_t i = 0; i < fields; ++i) names[i] = table.fieldName(i);

  auto printRow = [&](const std::vector<std::string>& values, const std::vector<size_t>& widths) {
    std::string line;
    for (size_t i = 0; i < values.size(); ++i) {
      if (csv) {
        if (i > 0) line += ',';
        line += csvValue(values[i]);
      } else {
        if (i > 0) line += "  ";
        line += values[i];
        if (i + 1 < values.size()) line.append(widths[i] - displayWidth(values[i]), ' ');
      }
    }
    // A CSV file goes to a spreadsheet, not to a terminal: UTF-8 always.
    out << (csv ? cp1252ToUtf8(line) : toTerminal(line)) << '\n';
  };
  auto rowValues = [&] {
    std::vector<std::string> values(fields);
    for (size_t i = 0; i < fields; ++i) values[i] = table.asString(i);
    return values;
  };

  std::vector<size_t> widths(fields);
  if (!csv) {
    // A first walk finds the column widths, so rows need not be held.
    for (size_t i = 0; i < fields; ++i) widths[i] = displayWidth(names[i]);
    for (table.first(); !table.eof(); table.next()) {
      const std::vector<std::string> values = rowValues();
      for (size_t i = 0; i < fields; ++i) widths[i] = std::max(widths[i], displayWidth(values[i]));
    }
  }
  printRow(names, widths);
  for (table.first(); !table.eof(); table.next()) printRow(rowValues(), widths);
}

}  // namespace tht::cli
