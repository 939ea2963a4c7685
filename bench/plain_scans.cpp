// tht-bench-plain-scans: the teaching assignments table as its passes read
// when every first match is a scan from the first row or line, next to the
// ASIGT that the export wrote. It measures what the export's look-up maps
// save, and checks on the bench's large schools that they change nothing.
//
//   tht-bench-plain-scans TEBA_FOLDER WORK_FOLDER   (after an export)
//
// Exit status 0 when the model equals ASIGT.DBF, 3 with the first
// difference otherwise, 2 when the files cannot be read.
#include <cstdio>
#include <string>
#include <vector>

#include "export/hours.h"
#include "export/teba_records.h"
#include "platform/error.h"
#include "platform/files.h"
#include "tables/field_value.h"
#include "tables/table.h"
#include "teba/line_reader.h"
#include "teba/records.h"
#include "teba/whole_file.h"

namespace {

using namespace tht;
using Row = std::vector<std::string>;

std::vector<Row> tableRows(const std::string& folder, const std::string& file, const std::vector<const char*>& fields) {
  tables::Table table;
  table.open(folder, file, tables::OpenMode::ReadOnlyShared);
  std::vector<Row> rows;
  for (; !table.eof(); table.next()) {
    Row row;
    for (const char* field : fields) row.push_back(table.asString(field));
    rows.push_back(row);
  }
  return rows;
}

std::vector<Row> modelOfAsigt(const std::string& teba, const std::string& work) {
  const std::vector<Row> groups = tableRows(work, "GRUPOST.DBF", {"ABREV", "TURNO", "NIVEL", "CURSO", "GRUPO"});
  // Load pass.
  std::vector<Row> asigt;
  LineReader input(resolveInFolder(teba, kAssignmentsFile.name));
  while (!input.eof()) {
    const std::string line = input.readLine();
    if (isSkipped(line, kAssignmentsFile.expectedName)) continue;
    const AssignmentRecord record = assignmentRecord(line);
    asigt.push_back({std::string(record.subject), std::string(record.group), "", "", "", "", "", ""});
  }
  // Join pass: a scan of GRUPOST for every row.
  for (Row& row : asigt)
    for (const Row& group : groups)
      if (group[0] == row[1]) {
        for (size_t i = 0; i < 4; ++i) row[2 + i] = group[1 + i];
        break;
      }
  // Hours pass: a scan of the subject-course lines for every row.
  const std::vector<std::string> lines = readWholeFile(resolveInFolder(teba, kSubjectCourseFile.name));
  for (Row& row : asigt)
    for (const std::string& line : lines) {
      if (isSkipped(line, kSubjectCourseFile.expectedName)) continue;
      const SubjectCourseRecord record = subjectCourseRecord(line);
      if (record.subject != row[0] || record.level != row[3] || record.course != row[4]) continue;
      const double hours = weeklyHours(record.hours);
      row[6] = tables::formatNumber(hours);
      row[7] = sessionPattern(hours, 20);
      break;
    }
  // Final pass.
  for (Row& row : asigt)
    if (row[6].empty()) row[6] = row[7] = "1";
  return asigt;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: tht-bench-plain-scans TEBA_FOLDER WORK_FOLDER\n");
    return 2;
  }
  try {
    const std::vector<Row> model = modelOfAsigt(argv[1], argv[2]);
    const std::vector<Row> written = tableRows(
        argv[2], "ASIGT.DBF", {"CASIG", "CGRUP", "TURNO", "NIVEL", "CURSO", "GRUPO", "HORAS", "SESIONES"});
    if (model.size() != written.size()) {
      std::fprintf(stderr, "ASIGT has %zu rows, the model %zu\n", written.size(), model.size());
      return 3;
    }
    for (size_t i = 0; i < model.size(); ++i)
      if (model[i] != written[i]) {
        std::fprintf(stderr, "ASIGT row %zu differs from the model\n", i + 1);
        return 3;
      }
  } catch (const Error& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 2;
  }
  return 0;
}
