// The report's checks, one group of files each, in the order the report
// runs them. Each writes its findings in file order.
#pragma once

#include <optional>
#include <string>
#include <unordered_set>

#include "import/timetable.h"
#include "report/findings.h"
#include "report/teba_input.h"

namespace tht::report {

// The TEBA files as the export reads them.
struct TebaInputs {
  TebaInput subjects, teachers, rooms, groups, assignments, courses, sessions;
};

// Records of the subjects and teachers files that the export drops, their
// code being one of an earlier record.
void checkCatalogues(const TebaInputs& inputs, Findings& findings);

// Assignments whose group is unknown or that get one hour for want of a
// subject-course record; hours texts that are no number.
void checkAssignments(const TebaInputs& inputs, Findings& findings);

// Slot times that stop the export or give no time; the notation the import
// writes days in, which is returned (none when the import would stop
// before it, or when the file cannot be read).
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
