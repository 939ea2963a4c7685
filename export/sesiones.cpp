// The day and period grid step: DIASHORAST, one row per data record of the
// sessions file, each slot numbered by the rank of its start time among all
// the start times of the week.
#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "export/steps.h"
#include "export/teba_records.h"
#include "platform/cp1252.h"
#include "core/error_texts.h"
#include "platform/error.h"
#include "platform/files.h"
#include "tables/table.h"
#include "teba/records.h"
#include "teba/whole_file.h"

namespace tht {
namespace {

using tables::FieldDef;
using tables::FieldKind;
using tables::OpenMode;
using tables::Table;

const std::vector<FieldDef>& gridFields() {
  static const std::vector<FieldDef> fields = {
      {"DIHO", FieldKind::String, 10},     {"CODDIHO", FieldKind::String, 10},
      {"DIA", FieldKind::String, 20},      {"TEXTODIA", FieldKind::String, 20},
      {"HORA", FieldKind::String, 8},      {"HORADESDE", FieldKind::String, 8},
      {"HORAHASTA", FieldKind::String, 8}, {"MINUTOS", FieldKind::String, 8}};
  return fields;
}

// Start times ordered and told apart ignoring letter case; texts of digits
// keep plain character order ("1000" before "900").
struct IgnoringCase {
  bool operator()(const std::string& a, const std::string& b) const { return compareIgnoringCase(a, b) < 0; }
};
using StartTimes = std::map<std::string, size_t, IgnoringCase>;  // start -> period number

// First pass: a row per data record, with the start time in HORA for now.
void addSlots(WholeFile& lines, StartTimes& starts, Table& grid) {
  const size_t code = grid.fieldIndex("CODDIHO");
  const size_t day = grid.fieldIndex("DIA");
  const size_t period = grid.fieldIndex("HORA");
  const size_t from = grid.fieldIndex("HORADESDE");
  const size_t to = grid.fieldIndex("HORAHASTA");
  const size_t minutes = grid.fieldIndex("MINUTOS");
  std::string line;
  while (lines.nextLine(line)) {
    if (isSkipped(line, kSessionsFile.expectedName)) continue;
    const SessionRecord record = sessionRecord(line);
    starts.emplace(record.start, 0);
    const int32_t end = parseInteger32(record.end);  // the end is read first
    const int32_t start = parseInteger32(record.start);
    grid.append();
    grid.setString(day, record.day);
    grid.setString(code, record.slot);
    grid.setString(from, record.start);
    grid.setString(to, record.end);
    grid.setString(minutes, std::to_string(slotMinutes(start, end)));
    grid.setString(period, record.start);
    grid.post();
  }
}

// Second pass: HORA becomes the start time's rank, DIHO the day and HORA.
void numberPeriods(StartTimes& starts, Table& grid) {
  size_t rank = 0;
  for (auto& entry : starts) entry.second = ++rank;
  const size_t diho = grid.fieldIndex("DIHO");
  const size_t day = grid.fieldIndex("DIA");
  const size_t period = grid.fieldIndex("HORA");
  const size_t from = grid.fieldIndex("HORADESDE");
  for (grid.first(); !grid.eof(); grid.next()) {
    const auto found = starts.find(grid.asString(from));
    grid.edit();
    grid.setString(period, found == starts.end() ? std::string() : std::to_string(found->second));
    grid.setString(diho, grid.asString(day) + grid.asString(period));
    grid.post();
  }
}

}  // namespace

int64_t slotMinutes(int32_t start, int32_t end) {
  const auto minutes = [](int64_t hhmm) { return hhmm / 100 * 60 + hhmm % 100; };
  return minutes(end) - minutes(start);
}

void TraspasarSesiones(StepContext& context) {
  const std::string inputPath = stepInput(context, kSessionsFile, "No existe archivo de grupos (TEBA_SESIONES.TXT)");
  if (inputPath.empty()) return;
  // Read whole before the old table goes, so a file that cannot be read
  // leaves that table in place.
  WholeFile lines(inputPath);
  const std::string& workFolder = context.env.workFolder;
  tables::createTable(workFolder, "DIASHORAST", gridFields());
  Table grid;
  grid.open(workFolder, "DIASHORAST.DBF", OpenMode::Shared);
  StartTimes starts;
  addSlots(lines, starts, grid);
  numberPeriods(starts, grid);
  grid.close();
}

}  // namespace tht
