// The report's checks, one group of files each, in the order the report
// runs them. Each writes its findings in file order.
#pragma once

#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "export/catalogues.h"
#include "import/timetable.h"
#include "report/findings.h"
#include "report/teba_input.h"

namespace tht::report {

// The TEBA files as the export reads them.
struct TebaInputs {
  TebaInput subjects, teachers, rooms, groups, assignments, courses, sessions;
};

// Records of the catalogue files that the export drops (subjects and
// teachers whose code an earlier record has) or that repeat a code in a
// second row (rooms and groups), and values cut by their field's size.
void checkCatalogues(const TebaInputs& inputs, Findings& findings);

// The size of a field of a catalogue's table.
size_t fieldSize(const CatalogueRecipe& recipe, const std::string& name);
// The text the catalogue's table keeps in field `name` of the row that a
// record of `values` gives.
std::string storedValue(const CatalogueRecipe& recipe, const std::vector<std::string>& values, const char* name);

// Assignments whose group is unknown, that get one hour for want of a
// subject-course record, or that repeat a subject and group; hours texts
// that are no number, or whose fraction, not a half, shows as one.
void checkAssignments(const TebaInputs& inputs, Findings& findings);

// Slot times that stop the export, give no time or are not of four digits;
// days not written in the second line's notation; the notation
// the import writes days in, which is returned (none when the import would
// stop before it, or when the file cannot be read).
std::optional<DayNotation> checkSessions(const TebaInput& sessions, Findings& findings);

// The codes of the TEBA catalogues, as the files write them.
struct Catalogues {
  std::unordered_set<std::string> teachers, groups, subjects, rooms;
};
Catalogues cataloguesOf(const TebaInputs& inputs);

// The lessons of SOLUC that the import would write without a slot code, and
// their codes that the catalogues do not know.
void checkTimetable(const std::string& workFolder, std::optional<DayNotation> notation, const Catalogues& known,
                    Findings& findings);

}  // namespace tht::report
