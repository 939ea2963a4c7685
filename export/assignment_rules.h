// How the teaching assignments step completes a subject-group record: the
// group's fields from the first GRUPOST row with its code, and the weekly
// hours of the first subject-course record for its subject, level and
// course. The consistency report asks the same questions through these.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/first_match.h"
#include "export/teba_records.h"
#include "tables/table.h"

namespace tht {

// The fields of ASIGT, in order.
const std::vector<tables::FieldDef>& asigtFields();

// HORAS and SESIONES of an ASIGT row whose subject-course record gives the
// hours text `written` (as written): weeklyHours() and its session pattern,
// at most as long as SESIONES holds. Throws the hours error when the text
// is no number.
struct AssignmentHours {
  double hours;
  std::string sessions;
};
AssignmentHours assignmentHours(std::string_view written);

// TURNO, NIVEL, CURSO and GRUPO of a group, as ASIGT stores them: each cut
// to its ASIGT field's size and read back without trailing blanks.
struct GroupFields {
  std::string turno, nivel, curso, grupo;
};

// Group codes to the fields of the first group given for each (GRUPOST's
// table order); codes compare exactly, letter case included.
class GroupJoin {
 public:
  void add(const std::string& abrev, const GroupFields& fields);
  const GroupFields* find(const std::string& code) const { return first_.find(code); }

 private:
  FirstMatch<GroupFields> first_;
};

// Subject, level and course to the hours text of the first subject-course
// record that has them (file order); texts compare exactly.
class SubjectHours {
 public:
  void reserve(size_t records) { first_.reserve(records); }
  void add(const SubjectCourseRecord& record);
  // The hours text as written (trimmed columns 28-33); null when no record.
  const std::string* find(std::string_view subject, std::string_view level, std::string_view course) const;

 private:
  FirstMatch<std::string> first_;
};

// The subject-course file's records as a lookup. Throws its reading's error
// (it is read whole: "Cannot open file ...").
SubjectHours readSubjectHours(const std::string& path);

}  // namespace tht
