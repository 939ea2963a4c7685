#include "export/assignment_rules.h"

#include "export/hours.h"
#include "teba/teba_lines.h"

namespace tht {
namespace {

using tables::FieldDef;
using tables::FieldKind;

// The size of an ASIGT text field.
size_t asigtSize(const char* name) {
  for (const FieldDef& field : asigtFields())
    if (field.name == name) return static_cast<size_t>(field.size);
  return 0;
}

// The three texts joined by line ends, which no trimmed field holds.
std::string hoursKey(std::string_view subject, std::string_view level, std::string_view course) {
  std::string key;
  key.reserve(subject.size() + level.size() + course.size() + 2);
  key.append(subject).append(1, '\n').append(level).append(1, '\n').append(course);
  return key;
}

}  // namespace

const std::vector<FieldDef>& asigtFields() {
  static const std::vector<FieldDef> fields = {
      {"CASIG", FieldKind::String, 4}, {"CPROF", FieldKind::String, 4}, {"CGRUP", FieldKind::String, 4},
      {"CAULA", FieldKind::String, 4}, {"TURNO", FieldKind::String, 1}, {"NIVEL", FieldKind::String, 5},
      {"CURSO", FieldKind::String, 3}, {"GRUPO", FieldKind::String, 2}, {"HORAS", FieldKind::Float, 0},
      {"SESIONES", FieldKind::String, 20}};
  return fields;
}

AssignmentHours assignmentHours(std::string_view written) {
  static const size_t patternSize = asigtSize("SESIONES");
  const double hours = weeklyHours(written);
  return {hours, sessionPattern(hours, patternSize)};
}

void GroupJoin::add(const std::string& abrev, const GroupFields& fields) {
  static const size_t turno = asigtSize("TURNO"), nivel = asigtSize("NIVEL"), curso = asigtSize("CURSO"),
                      grupo = asigtSize("GRUPO");
  const auto asStored = [](const std::string& value, size_t size) {
    return std::string(tables::textAsStored(value, size));
  };
  first_.add(abrev, {asStored(fields.turno, turno), asStored(fields.nivel, nivel), asStored(fields.curso, curso),
                     asStored(fields.grupo, grupo)});
}

void SubjectHours::add(const SubjectCourseRecord& record) {
  first_.add(hoursKey(record.subject, record.level, record.course), std::string(record.hours));
}

const std::string* SubjectHours::find(std::string_view subject, std::string_view level,
                                      std::string_view course) const {
  return first_.find(hoursKey(subject, level, course));
}

SubjectHours readSubjectHours(const std::string& path) {
  TebaLines lines(path, kSubjectCourseFile);
  SubjectHours hours;
  std::string line;
  while (lines.nextRecord(line)) hours.add(subjectCourseRecord(line));
  return hours;
}

}  // namespace tht
