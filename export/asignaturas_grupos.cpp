// The teaching assignments step: ASIGT, one row per subject-group record,
// completed in three more passes over the table: the group's fields from
// GRUPOST, the weekly hours of the subject-course file, and one hour for
// every row still without. The two first-match lookups go through maps
// built once, each keeping the first match in table or file order, so the
// cost grows with the sum of the sizes rather than their product.
#include <optional>
#include <string>

#include "export/assignment_rules.h"
#include "export/steps.h"
#include "export/teba_records.h"
#include "platform/files.h"
#include "tables/table.h"
#include "teba/teba_lines.h"

namespace tht {
namespace {

using tables::OpenMode;
using tables::Table;

// The ASIGT fields the passes read and write, by position.
struct AsigtColumns {
  explicit AsigtColumns(const Table& asigt)
      : subject(asigt.fieldIndex("CASIG")),
        group(asigt.fieldIndex("CGRUP")),
        turno(asigt.fieldIndex("TURNO")),
        nivel(asigt.fieldIndex("NIVEL")),
        curso(asigt.fieldIndex("CURSO")),
        grupo(asigt.fieldIndex("GRUPO")),
        hours(asigt.fieldIndex("HORAS")),
        pattern(asigt.fieldIndex("SESIONES")) {}
  size_t subject, group, turno, nivel, curso, grupo, hours, pattern;
};

// Load pass: a row per data record of the subject-group file, with CASIG
// and CGRUP only.
void loadAssignments(TebaLines& input, Table& asigt, const AsigtColumns& columns) {
  std::string line;
  while (input.nextRecord(line)) {
    const AssignmentRecord record = assignmentRecord(line);
    asigt.append();
    asigt.setString(columns.subject, record.subject);
    asigt.setString(columns.group, record.group);
    asigt.post();
  }
}

// GRUPOST, read-only, as a lookup from ABREV to the fields of its first row.
GroupJoin readGroups(const std::string& workFolder) {
  Table groups;
  groups.open(workFolder, "GRUPOST.DBF", OpenMode::ReadOnlyShared);
  GroupJoin join;
  if (!groups.eof()) {
    const size_t abrev = groups.fieldIndex("ABREV");
    const size_t turno = groups.fieldIndex("TURNO");
    const size_t nivel = groups.fieldIndex("NIVEL");
    const size_t curso = groups.fieldIndex("CURSO");
    const size_t grupo = groups.fieldIndex("GRUPO");
    for (; !groups.eof(); groups.next())
      join.add(groups.asString(abrev), {groups.asString(turno), groups.asString(nivel), groups.asString(curso),
                                        groups.asString(grupo)});
  }
  groups.close();
  return join;
}

// Join pass: every row whose CGRUP is the ABREV of a GRUPOST row takes that
// first row's TURNO, NIVEL, CURSO and GRUPO.
void joinGroups(const std::string& workFolder, Table& asigt, const AsigtColumns& columns) {
  const GroupJoin join = readGroups(workFolder);
  for (asigt.first(); !asigt.eof(); asigt.next()) {
    const GroupFields* group = join.find(asigt.asString(columns.group));
    if (!group) continue;
    asigt.edit();
    asigt.setString(columns.turno, group->turno);
    asigt.setString(columns.nivel, group->nivel);
    asigt.setString(columns.curso, group->curso);
    asigt.setString(columns.grupo, group->grupo);
    asigt.post();
  }
}

// Hours pass: every row for whose subject, level and course the
// subject-course file has a record takes its hours and session pattern. An
// hours text that is not a number ends the pass before its row changes.
void addHours(const std::string& coursePath, Table& asigt, const AsigtColumns& columns) {
  const SubjectHours hours = readSubjectHours(coursePath);
  for (asigt.first(); !asigt.eof(); asigt.next()) {
    const std::string* text =
        hours.find(asigt.text(columns.subject), asigt.text(columns.nivel), asigt.text(columns.curso));
    if (!text) continue;
    const AssignmentHours given = assignmentHours(*text);
    asigt.edit();
    asigt.setFloat(columns.hours, given.hours);
    asigt.setString(columns.pattern, given.sessions);
    asigt.post();
  }
}

// Final pass: every row still without hours gets one.
void giveOneHourWhereNone(Table& asigt, const AsigtColumns& columns) {
  for (asigt.first(); !asigt.eof(); asigt.next()) {
    if (asigt.asFloat(columns.hours) != 0) continue;
    asigt.edit();
    asigt.setFloat(columns.hours, 1);
    asigt.setString(columns.pattern, "1");
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
  // Opened before the old table goes, so an input that cannot be read
  // leaves that table in place.
  std::optional<TebaLines> input(std::in_place, inputPath, kAssignmentsFile);
  tables::createTable(workFolder, "ASIGT", asigtFields());
  asigt.open(workFolder, "ASIGT.DBF", OpenMode::Shared);
  const AsigtColumns columns(asigt);
  loadAssignments(*input, asigt, columns);
  input.reset();  // the subject-group file is closed once loaded

  joinGroups(workFolder, asigt, columns);

  const std::string coursePath = resolveInFolder(context.session.CarpetaTxt, kSubjectCourseFile.name);
  if (!fileExists(coursePath)) {
    context.env.notifier.message("No existe archivo de grupos (TEBA_ASIGNATCURSO.TXT)");
    asigt.close();
    return;
  }
  addHours(coursePath, asigt, columns);
  giveOneHourWhereNone(asigt, columns);
  asigt.close();
}

}  // namespace tht
