#include "export/teba_files.h"

#include "teba/records.h"

namespace tht {

const TebaFile kSubjectsFile{"teba_asignat.txt", "TEBA_ASIGNAT.TXT"};
const TebaFile kTeachersFile{"teba_prof.txt", "TEBA_PROF.TXT"};
const TebaFile kRoomsFile{"teba_aulas.txt", "TEBA_AULAS.TXT"};
// The groups file names itself "TEBA_GRUPO.TXT", yet its readers have always
// looked for "TEBA_GRUPOS.TXT"; a line carrying the file's own name with a
// column 1 other than "0" or "9" is therefore a data record.
const TebaFile kGroupsFile{"teba_grupo.txt", "TEBA_GRUPOS.TXT"};
const TebaFile kAssignmentsFile{"teba_asignatgrupo.txt", "TEBA_ASIGNATGRUPO.TXT"};
const TebaFile kSubjectCourseFile{"teba_asignatcurso.txt", "TEBA_ASIGNATCURSO.TXT"};
const TebaFile kSessionsFile{"teba_sesiones.txt", "TEBA_SESIONES.TXT"};

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
