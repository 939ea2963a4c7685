// What the teaching assignments step defaults or stops at, by its own
// look-ups: the group of each assignment, the hours of its subject for the
// group's level and course, and the hours texts.
#include "export/assignment_rules.h"
#include "export/catalogues.h"
#include "export/hours.h"
#include "platform/error.h"
#include "report/checks.h"

namespace tht::report {
namespace {

// GRUPOST as the groups step would build it from the groups file: its rows
// are the file's records, in the same order.
GroupJoin groupsTable(const TebaInput& groups) {
  GroupJoin join;
  for (const Record& record : groups.records()) {
    const std::vector<std::string> values = groupsCatalogue().values(record.line);
    join.add(values[0], {values[1], values[2], values[3], values[4]});
  }
  return join;
}

void checkGroupsAndHours(const TebaInputs& inputs, Findings& findings) {
  const GroupJoin join = groupsTable(inputs.groups);
  SubjectHours hours;
  for (const Record& record : inputs.courses.records()) hours.add(subjectCourseRecord(record.line));
  for (const Record& record : inputs.assignments.records()) {
    const AssignmentRecord assignment = assignmentRecord(record.line);
    const GroupFields* group = join.find(std::string(assignment.group));
    if (!group && inputs.groups.present())
      findings.problem(at(kAssignmentsFile, record.number),
                       "el grupo " + quoted(assignment.group) + " no est\xE1 en " + kGroupsFile.name +
                           ": la asignaci\xF3n de " + quoted(assignment.subject) +
                           " queda sin turno, nivel, curso ni grupo");
    const std::string level = group ? group->nivel : std::string();
    const std::string course = group ? group->curso : std::string();
    if (inputs.courses.present() && !hours.find(assignment.subject, level, course))
      findings.problem(at(kAssignmentsFile, record.number),
                       "no hay horas de " + quoted(assignment.subject) + " para el nivel " + quoted(level) +
                           " y el curso " + quoted(course) + " en " + kSubjectCourseFile.name +
                           ": se le da 1 hora");
  }
}

// Hours texts the export cannot read: the first assignment that uses one
// ends the export with an error.
void checkHoursTexts(const TebaInput& courses, Findings& findings) {
  for (const Record& record : courses.records()) {
    const std::string_view written = subjectCourseRecord(record.line).hours;
    try {
      assignmentHours(written);
    } catch (const Error&) {
      findings.problem(at(kSubjectCourseFile, record.number),
                       "las horas " + quoted(hoursNumberText(written)) +
                           " no son un n\xFA" "mero: la exportaci\xF3n se detendr\xED" "a en la primera asignaci\xF3n que las use");
    }
  }
}

}  // namespace

void checkAssignments(const TebaInputs& inputs, Findings& findings) {
  checkGroupsAndHours(inputs, findings);
  checkHoursTexts(inputs.courses, findings);
}

}  // namespace tht::report
