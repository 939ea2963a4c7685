// What the teaching assignments step defaults, repeats or stops at, by its
// own look-ups: the group of each assignment, the hours of its subject for
// the group's level and course, and the hours texts.
#include <charconv>
#include <cmath>
#include <unordered_map>

#include "export/assignment_rules.h"
#include "export/hours.h"
#include "platform/error.h"
#include "report/checks.h"

namespace tht::report {
namespace {

// GRUPOST as the groups step would build it from the groups file: its rows
// are the file's records, in the same order.
GroupJoin groupsTable(const TebaInput& groups) {
  const CatalogueRecipe& recipe = groupsCatalogue();
  GroupJoin join;
  for (const Record& record : groups.records()) {
    const std::vector<std::string> values = recipe.values(record.line);
    join.add(storedValue(recipe, values, "ABREV"),
             {storedValue(recipe, values, "TURNO"), storedValue(recipe, values, "NIVEL"),
              storedValue(recipe, values, "CURSO"), storedValue(recipe, values, "GRUPO")});
  }
  return join;
}

void checkGroupsAndHours(const TebaInputs& inputs, Findings& findings) {
  const GroupJoin join = groupsTable(inputs.groups);
  SubjectHours hours;
  for (const Record& record : inputs.courses.records()) hours.add(subjectCourseRecord(record.line));
  std::unordered_map<std::string, size_t> firstLine;  // of each subject and group
  for (const Record& record : inputs.assignments.records()) {
    const AssignmentRecord assignment = assignmentRecord(record.line);
    const std::string where = at(kAssignmentsFile, record.number);
    const std::string subject = quoted(assignment.subject);
    const GroupFields* group = join.find(std::string(assignment.group));
    if (!group && inputs.groups.present())
      findings.problem(where, "el grupo " + quoted(assignment.group) + " no est\xE1 en " + kGroupsFile.name +
                                  ": la asignaci\xF3n de " + subject + " queda sin turno, nivel, curso ni grupo");
    const std::string level = group ? group->nivel : std::string();
    const std::string course = group ? group->curso : std::string();
    if (inputs.courses.present() && !hours.find(assignment.subject, level, course))
      findings.problem(where, "no hay horas de " + subject + " para el nivel " + quoted(level) + " y el curso " +
                                  quoted(course) + " en " + kSubjectCourseFile.name + ": se le da 1 hora");
    const auto [first, isNew] = firstLine.emplace(
        std::string(assignment.subject) + '\n' + std::string(assignment.group), record.number);
    if (!isNew)
      findings.problem(where, "la asignatura " + subject + " del grupo " + quoted(assignment.group) +
                                  " repetida: da otra asignaci\xF3n en ASIGT, adem\xE1s de la de la l\xEDnea " +
                                  std::to_string(first->second));
  }
}

// A number as its shortest decimal text ("2.25").
std::string decimal(double value) {
  char text[32];
  return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

// Hours texts the export cannot read (the first assignment that uses one
// ends the export with an error), and hours whose fraction is no half: the
// session pattern shows every fraction as one half.
void checkHoursTexts(const TebaInput& courses, Findings& findings) {
  for (const Record& record : courses.records()) {
    const SubjectCourseRecord course = subjectCourseRecord(record.line);
    AssignmentHours given;
    try {
      given = assignmentHours(course.hours);
    } catch (const Error&) {
      findings.problem(at(kSubjectCourseFile, record.number),
                       "las horas " + quoted(hoursNumberText(course.hours)) +
                           " no son un n\xFA" "mero: la exportaci\xF3n se detendr\xED" "a en la primera asignaci\xF3n que las use");
      continue;
    }
    const double fraction = given.hours - std::floor(given.hours);
    if (fraction == 0 || fraction == 0.5) continue;
    findings.problem(at(kSubjectCourseFile, record.number),
                     "las horas " + quoted(course.hours) + " de " + quoted(course.subject) + " para el nivel " +
                         quoted(course.level) + " y el curso " + quoted(course.course) + " se guardan como " +
                         decimal(given.hours) + " y se muestran " + given.sessions +
                         " (toda fracci\xF3n se muestra como \xBD)");
  }
}

}  // namespace

void checkAssignments(const TebaInputs& inputs, Findings& findings) {
  checkGroupsAndHours(inputs, findings);
  checkHoursTexts(inputs.courses, findings);
}

}  // namespace tht::report
