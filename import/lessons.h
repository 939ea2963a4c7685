// The lessons of SOLUC that the timetable file gets, walked once by rules
// the import and the consistency report share: rows whose DIA is 0 are no
// lessons, and a lesson's day is written in the sessions file's notation.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "import/timetable.h"
#include "tables/table.h"

namespace tht {

// One lesson, its texts as SOLUC holds them; valid during the call that
// gets it.
struct Lesson {
  size_t row;                 // of SOLUC, from 1, rows without a lesson counted
  const std::string& day;     // DIA in the notation of the sessions file
  const std::string& period;  // HORA
  const std::string& slot;    // the slot code found for day and period; empty for none
  const std::string& teacher;  // PROF
  const std::string& group;    // CODGRUPO
  const std::string& subject;  // ASIG
  const std::string& room;     // AULA
};

// Looks up the slot code of a day and period (see SlotLookup).
using SlotOf = std::function<std::string(const std::string& day, const std::string& period)>;

// Walks `soluc` from its first row and calls `take` for every row whose DIA
// is not 0, in table order. Each field is looked up by name the first time
// a row needs it, and the slot is looked up (through `slotOf`) after DIA and
// HORA and before the other fields are read, so a missing field is reported
// where the walk first needs it.
void forEachLesson(tables::Table& soluc, DayNotation notation, const SlotOf& slotOf,
                   const std::function<void(const Lesson&)>& take);

}  // namespace tht
