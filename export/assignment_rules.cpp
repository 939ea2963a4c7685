#include "export/assignment_rules.h"

#include <vector>

#include "tables/table.h"
#include "teba/records.h"
#include "teba/whole_file.h"

namespace tht {
namespace {

// A field's value as the text field of `size` characters reads it back.
std::string asStored(const std::string& value, size_t size) {
  return std::string(tables::textAsRead(std::string_view(value).substr(0, size)));
}

// The three texts joined by line ends, which no trimmed field holds.
std::string hoursKey(std::string_view subject, std::string_view level, std::string_view course) {
  std::string key;
  key.reserve(subject.size() + level.size() + course.size() + 2);
  key.append(subject).append(1, '\n').append(level).append(1, '\n').append(course);
  return key;
}

}  // namespace

void GroupJoin::add(const std::string& abrev, const GroupFields& fields) {
  // The sizes of TURNO, NIVEL, CURSO and GRUPO in ASIGT.
  first_.add(abrev, {asStored(fields.turno, 1), asStored(fields.nivel, 5), asStored(fields.curso, 3),
                     asStored(fields.grupo, 2)});
}

void SubjectHours::add(const SubjectCourseRecord& record) {
  first_.add(hoursKey(record.subject, record.level, record.course), std::string(record.hours));
}

const std::string* SubjectHours::find(std::string_view subject, std::string_view level,
                                      std::string_view course) const {
  return first_.find(hoursKey(subject, level, course));
}

SubjectHours readSubjectHours(const std::string& path) {
  const std::vector<std::string> lines = readWholeFile(path);
  SubjectHours hours;
  hours.reserve(lines.size());  // grown once: each growth would touch every entry again
  for (const std::string& line : lines)
    if (!isSkipped(line, kSubjectCourseFile.expectedName)) hours.add(subjectCourseRecord(line));
  return hours;
}

}  // namespace tht
