#include "export/teba_records.h"

#include "teba/records.h"

namespace tht {

std::vector<std::string> subjectValues(const std::string& line) {
  return {trimmedField(line, 2, 4), trimmedField(line, 6, 20), trimmedField(line, 26, 150)};
}

std::vector<std::string> teacherValues(const std::string& line) {
  return {trimmedField(line, 2, 4), trimmedField(line, 6, 90), trimmedField(line, 96, 50)};
}

std::vector<std::string> roomValues(const std::string& line) {
  return {trimmedField(line, 12, 4), trimmedField(line, 86, 100)};
}

std::vector<std::string> groupValues(const std::string& line) {
  const std::string unit = trimmedField(line, 2, 10);
  std::string level = trimmedField(line, 16, 3);
  if (level.empty()) level = "NIV";
  // The shift goes whole into a one-character field, which keeps its first
  // letter; the group is the unit's last character (empty for no unit).
  return {trimmedField(line, 12, 4),
          trimmedField(line, 35, 3),
          level,
          trimmedField(line, 22, 3),
          field(unit, static_cast<long>(unit.size()), 1),
          unit};
}

AssignmentRecord assignmentRecord(std::string_view line) {
  return {trimmedFieldView(line, 12, 4), trimmedFieldView(line, 16, 4)};
}

SubjectCourseRecord subjectCourseRecord(std::string_view line) {
  return {trimmedFieldView(line, 2, 3), trimmedFieldView(line, 8, 3), trimmedFieldView(line, 24, 4),
          trimmedFieldView(line, 28, 6)};
}

SessionRecord sessionRecord(const std::string& line) {
  return {trimmedField(line, 5, 4), trimmedField(line, 9, 1), trimmedField(line, 10, 4),
          trimmedField(line, 14, 4)};
}

}  // namespace tht
