// The day and period grid step: DIASHORAST, one row per data record of the
// sessions file, each slot numbered by the rank of its start time among all
// the start times of the week.
#include <string>
#include <vector>

#include "export/session_rules.h"
#include "export/steps.h"
#include "export/teba_records.h"
#include "core/error_texts.h"
#include "tables/table.h"
#include "teba/teba_lines.h"

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

// First pass: a row per data record, with the start time in HORA for now.
void addSlots(TebaLines& lines, PeriodNumbers& periods, Table& grid) {
  const size_t code = grid.fieldIndex("CODDIHO");
  const size_t day = grid.fieldIndex("DIA");
  const size_t period = grid.fieldIndex("HORA");
  const size_t from = grid.fieldIndex("HORADESDE");
  const size_t to = grid.fieldIndex("HORAHASTA");
  const size_t minutes = grid.fieldIndex("MINUTOS");
  std::string line;
  while (lines.nextRecord(line)) {
    const SessionRecord record = sessionRecord(line);
    periods.add(record.start);
    const SlotTimes times = slotTimes(record);
    grid.append();
    grid.setString(day, record.day);
    grid.setString(code, record.slot);
    grid.setString(from, record.start);
    grid.setString(to, record.end);
    grid.setString(minutes, std::to_string(slotMinutes(times.start, times.end)));
    grid.setString(period, record.start);
    grid.post();
  }
}

// Second pass: HORA becomes the start time's period number, DIHO the day
// and HORA.
void numberPeriods(PeriodNumbers& periods, Table& grid) {
  periods.number();
  const size_t diho = grid.fieldIndex("DIHO");
  const size_t day = grid.fieldIndex("DIA");
  const size_t period = grid.fieldIndex("HORA");
  const size_t from = grid.fieldIndex("HORADESDE");
  for (grid.first(); !grid.eof(); grid.next()) {
    const size_t number = periods.of(grid.asString(from));
    grid.edit();
    grid.setString(period, number == 0 ? std::string() : std::to_string(number));
    grid.setString(diho, grid.asString(day) + grid.asString(period));
    grid.post();
  }
}

}  // namespace

SlotTimes slotTimes(const SessionRecord& record) {
  SlotTimes times{};
  try {
    times.end = parseInteger32(record.end);
  } catch (const Error& error) {
    throw SlotTimeError(error.what(), true);
  }
  try {
    times.start = parseInteger32(record.start);
  } catch (const Error& error) {
    throw SlotTimeError(error.what(), false);
  }
  return times;
}

int64_t slotMinutes(int32_t start, int32_t end) {
  const auto minutes = [](int64_t hhmm) { return hhmm / 100 * 60 + hhmm % 100; };
  return minutes(end) - minutes(start);
}

void PeriodNumbers::number() {
  size_t rank = 0;
  for (auto& entry : starts_) entry.second = ++rank;
}

size_t PeriodNumbers::of(const std::string& start) const {
  const auto found = starts_.find(start);
  return found == starts_.end() ? 0 : found->second;
}

void TraspasarSesiones(StepContext& context) {
  const std::string inputPath = stepInput(context, kSessionsFile, "No existe archivo de grupos (TEBA_SESIONES.TXT)");
  if (inputPath.empty()) return;
  // Read whole before the old table goes, so a file that cannot be read
  // leaves that table in place.
  TebaLines lines(inputPath, kSessionsFile);
  const std::string& workFolder = context.env.workFolder;
  tables::createTable(workFolder, "DIASHORAST", gridFields());
  Table grid;
  grid.open(workFolder, "DIASHORAST.DBF", OpenMode::Shared);
  PeriodNumbers periods;
  addSlots(lines, periods, grid);
  numberPeriods(periods, grid);
  grid.close();
}

}  // namespace tht
