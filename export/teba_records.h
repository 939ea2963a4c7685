// The values the export takes from the data records of the TEBA files. The
// steps and the consistency report share them, so a column is written down
// once.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "teba/teba_files.h"

namespace tht {

// The values of one data record, trimmed, in the order of the fields they fill.
std::vector<std::string> subjectValues(const std::string& line);  // COD, CODLARGO, NOMBRE
std::vector<std::string> teacherValues(const std::string& line);  // ABREV, NOMBRE, DEPART
std::vector<std::string> roomValues(const std::string& line);     // ABREV, NOMBRE
// ABREV, TURNO, NIVEL, CURSO, GRUPO, UNIDAD
std::vector<std::string> groupValues(const std::string& line);

// A data record of the subject-group file, as views into its line.
struct AssignmentRecord {
  std::string_view group;    // columns 12-15
  std::string_view subject;  // columns 16-19
};
AssignmentRecord assignmentRecord(std::string_view line);

// A data record of the subject-course file, as views into its line.
struct SubjectCourseRecord {
  std::string_view level;    // columns 2-4
  std::string_view course;   // columns 8-10
  std::string_view subject;  // columns 24-27
  std::string_view hours;    // columns 28-33, as written
};
SubjectCourseRecord subjectCourseRecord(std::string_view line);

// A data record of the sessions file.
struct SessionRecord {
  std::string slot;   // columns 5-8
  std::string day;    // column 9
  std::string start;  // columns 10-13, hhmm
  std::string end;    // columns 14-17, hhmm
};
SessionRecord sessionRecord(const std::string& line);

}  // namespace tht
