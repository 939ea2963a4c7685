// The pieces of "TEBA_HORARIO.TXT": where the centre code and the day
// notation come from, how a lesson's day and period find their slot code,
// and how a lesson becomes a data record.
#pragma once

#include <string>
#include <vector>

#include "core/first_match.h"
#include "tables/table.h"
#include "teba/whole_file.h"

namespace tht {

// The output file's name, as it stands in its header and trailer too.
extern const char kTimetableFileName[];  // "TEBA_HORARIO.TXT"

// Columns 52-59 of the first line whose column 1 is "0", untrimmed (fewer
// characters when that line is shorter); empty when no line starts with "0".
std::string centreCode(const std::vector<std::string>& subjectLines);
// The same from the subjects file walked from its first line, stopping at
// the header, so no list of its lines is ever built.
std::string centreCode(WholeFile& subjects);

enum class DayNotation { Digits, Letters };

// The notation a line of the sessions file writes its day in: column 9 a
// digit "1" to "7" means digits, anything else (a letter, a space,
// nothing) letters.
DayNotation dayNotationOfLine(const std::string& line);
// The notation of the whole sessions file, walked from its first line: that
// of its second line (only the first two lines are taken out). A file of
// fewer than two lines throws "List index out of bounds (1)".
DayNotation dayNotation(WholeFile& sessions);

// The day text as the notation writes it: in letters "1" to "7" become
// L M X J V S D; every other text (and every text in digits) stays.
std::string dayInNotation(const std::string& day, DayNotation notation);

// One lesson's data record: "1", slot code (4), day (1), teacher (4),
// group (4), "LEC ", subject (4), room (4); longer values are never cut
// and push the later fields to the right.
std::string lessonRecord(const std::string& slot, const std::string& day, const std::string& teacher,
                         const std::string& group, const std::string& subject,
                         const std::string& room);

// Day and period to slot code, built in one walk over the day-and-period
// table: where several rows share a day and period, the first row in table
// order gives the code, as a scan from the first row would find it.
class SlotLookup {
 public:
  // Walks `slots` from its first row, reading DIA, HORA and CODDIHO as text.
  // An empty table is not read at all (no field is looked up).
  explicit SlotLookup(tables::Table& slots);

  // The slot code of the first row whose DIA and HORA texts equal `day` and
  // `period` exactly; empty when no row does.
  std::string find(const std::string& day, const std::string& period) const;

 private:
  static std::string key(const std::string& day, const std::string& period);
  FirstMatch<std::string> codes_;
};

}  // namespace tht
