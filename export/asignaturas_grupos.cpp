// The teaching assignments step: ASIGT, one row per subject-group record,
// completed with the group's fields from GRUPOST and the weekly hours of the
// subject-course file. The two first-match lookups of the step go through
// maps built once, each keeping the first match in file or table order, so
// the cost grows with the sum of the sizes rather than their product.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "export/hours.h"
#include "export/steps.h"
#include "export/teba_files.h"
#include "platform/first_match.h"
#include "platform/files.h"
#include "tables/table.h"
#include "teba/line_reader.h"
#include "teba/records.h"
#include "teba/whole_file.h"

namespace tht {
namespace {

using tables::FieldDef;
using tables::FieldKind;
using tables::OpenMode;
using tables::Table;

constexpr size_t kPatternSize = 20;
const char* const kGroupFields[] = {"TURNO", "NIVEL", "CURSO", "GRUPO"};

const std::vector<FieldDef>& asigtFields() {
  static const std::vector<FieldDef> fields = {
      {"CASIG", FieldKind::String, 4}, {"CPROF", FieldKind::String, 4}, {"CGRUP", FieldKind::String, 4},
      {"CAULA", FieldKind::String, 4}, {"TURNO", FieldKind::String, 1}, {"NIVEL", FieldKind::String, 5},
      {"CURSO", FieldKind::String, 3}, {"GRUPO", FieldKind::String, 2}, {"HORAS", FieldKind::Float, 0},
      {"SESIONES", FieldKind::String, kPatternSize}};
  return fields;
}

// The lookup key of a subject, level and course: the three texts joined by
// line ends, which no trimmed field holds. Built into `joined` so that a
// pass reuses one buffer.
std::string_view key(std::string& joined, std::string_view subject, std::string_view level,
                     std::string_view course) {
  joined.assign(subject).append(1, '\n').append(level).append(1, '\n').append(course);
  return joined;
}

// Load pass: one row per data record, CASIG and CGRUP only.
void loadAssignments(LineReader& input, Table& asigt) {
  const size_t subject = asigt.fieldIndex("CASIG");
  const size_t group = asigt.fieldIndex("CGRUP");
  std::string line;
  while (!input.eof()) {
    input.readLine(line);
    if (isSkipped(line, kAssignmentsFile.expectedName)) continue;
    const AssignmentRecord record = assignmentRecord(line);
    asigt.append();
    asigt.setString(subject, record.subject);
    asigt.setString(group, record.group);
    asigt.post();
  }
}

// Join pass: each row takes TURNO, NIVEL, CURSO and GRUPO from the first
// GRUPOST row whose ABREV equals its CGRUP exactly.
void joinGroups(const std::string& workFolder, Table& asigt) {
  Table groups;
  groups.open(workFolder, "GRUPOST.DBF", OpenMode::ReadOnlyShared);
  FirstMatch<std::vector<std::string>> firstGroup;
  if (!groups.eof()) {
    const size_t abrev = groups.fieldIndex("ABREV");
    std::vector<size_t> columns;
    for (const char* name : kGroupFields) columns.push_back(groups.fieldIndex(name));
    for (; !groups.eof(); groups.next()) {
      std::vector<std::string> values;
      for (size_t column : columns) values.push_back(groups.asString(column));
      firstGroup.add(groups.asString(abrev), std::move(values));
    }
  }
  groups.close();

  const size_t cgrup = asigt.fieldIndex("CGRUP");
  std::vector<size_t> columns;
  for (const char* name : kGroupFields) columns.push_back(asigt.fieldIndex(name));
  for (asigt.first(); !asigt.eof(); asigt.next()) {
    const std::vector<std::string>* found = firstGroup.find(asigt.text(cgrup));
    if (!found) continue;
    asigt.edit();
    for (size_t i = 0; i < columns.size(); ++i) asigt.setString(columns[i], (*found)[i]);
    asigt.post();
  }
}

// The hours text of a subject-course record (columns 28-33, so at most six
// characters) and, once a row has used it, the hours it gives: rows sharing
// a record share the work.
class Hours {
 public:
  explicit Hours(std::string_view text) : size_(static_cast<uint8_t>(std::min(text.size(), sizeof text_))) {
    std::memcpy(text_, text.data(), size_);
  }

  // The hours, at least 1. A text that is not a number throws every time.
  double value() {
    if (!worked_) {
      std::string number = size_ == 0 ? std::string("1") : std::string(text_, size_);
      for (char& c : number)
        if (c == ',') c = '.';
      value_ = parseHours(number);
      if (!(value_ >= 1)) value_ = 1;
      worked_ = true;
    }
    return value_;
  }

 private:
  char text_[6];
  uint8_t size_;
  bool worked_ = false;
  double value_ = 0;
};

// Hours pass: each row takes the hours of the first data record of the
// subject-course file that matches its subject, level and course.
void setHours(WholeFile& lines, Table& asigt) {
  FirstMatch<Hours> firstHours;
  std::string line;
  std::string joined;
  while (lines.nextLine(line)) {
    if (isSkipped(line, kSubjectCourseFile.expectedName)) continue;
    const SubjectCourseRecord record = subjectCourseRecord(line);
    firstHours.add(key(joined, record.subject, record.level, record.course), Hours(record.hours));
  }

  const size_t subject = asigt.fieldIndex("CASIG");
  const size_t level = asigt.fieldIndex("NIVEL");
  const size_t course = asigt.fieldIndex("CURSO");
  const size_t hoursField = asigt.fieldIndex("HORAS");
  const size_t pattern = asigt.fieldIndex("SESIONES");
  for (asigt.first(); !asigt.eof(); asigt.next()) {
    Hours* found = firstHours.find(key(joined, asigt.text(subject), asigt.text(level), asigt.text(course)));
    if (!found) continue;
    const double hours = found->value();  // an error leaves this row as it was
    asigt.edit();
    asigt.setFloat(hoursField, hours);
    asigt.setString(pattern, sessionPattern(hours, kPatternSize));
    asigt.post();
  }
}

// Final pass: every row still without hours gets one.
void defaultHours(Table& asigt) {
  const size_t hoursField = asigt.fieldIndex("HORAS");
  const size_t pattern = asigt.fieldIndex("SESIONES");
  for (asigt.first(); !asigt.eof(); asigt.next()) {
    if (asigt.asFloat(hoursField) != 0) continue;
    asigt.edit();
    asigt.setFloat(hoursField, 1);
    asigt.setString(pattern, "1");
    asigt.post();
  }
}

}  // namespace

void TraspasarAsignaturasGrupos(StepContext& context) {
  const std::string inputPath =
      stepInput(context, kAssignmentsFile, "No existe archivo de grupos (TEBA_ASIGNATGRUPO.TXT)");
  if (inputPath.empty()) return;
  const std::string& workFolder = context.env.workFolder;
  Table asigt;
  {
    // Opened before the old table goes, so an input that cannot be read
    // leaves that table in place; closed once loaded, so that the file is
    // not held while GRUPOST and the hours are worked through.
    LineReader input(inputPath);
    tables::createTable(workFolder, "ASIGT", asigtFields());
    asigt.open(workFolder, "ASIGT.DBF", OpenMode::Shared);
    loadAssignments(input, asigt);
  }
  joinGroups(workFolder, asigt);

  const std::string coursePath = resolveInFolder(context.session.CarpetaTxt, kSubjectCourseFile.name);
  if (!fileExists(coursePath)) {
    context.env.notifier.message("No existe archivo de grupos (TEBA_ASIGNATCURSO.TXT)");
    asigt.close();
    return;
  }
  {
    // Every line is taken before any row changes: no need to hold it all.
    WholeFile course(coursePath, WholeFile::Reading::AsNeeded);
    setHours(course, asigt);
  }
  defaultHours(asigt);
  asigt.close();
}

}  // namespace tht
