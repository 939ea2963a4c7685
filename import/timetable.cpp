#include "import/timetable.h"

#include "platform/error.h"
#include "teba/records.h"

namespace tht {

const char kTimetableFileName[] = "TEBA_HORARIO.TXT";

std::string centreCode(const std::vector<std::string>& subjectLines) {
  for (const std::string& line : subjectLines) {
    if (!line.empty() && line[0] == '0') return field(line, 52, 8);
  }
  return {};
}

std::string centreCode(WholeFile& subjects) {
  std::string line;
  while (subjects.nextLine(line)) {
    if (!line.empty() && line[0] == '0') return field(line, 52, 8);
  }
  return {};
}

DayNotation dayNotationOfLine(const std::string& line) {
  const std::string column9 = field(line, 9, 1);
  if (column9.size() == 1 && column9[0] >= '1' && column9[0] <= '7') return DayNotation::Digits;
  return DayNotation::Letters;
}

DayNotation dayNotation(WholeFile& sessions) {
  std::string line;
  if (!sessions.nextLine(line) || !sessions.nextLine(line)) throw Error("List index out of bounds (1)");
  return dayNotationOfLine(line);
}

std::string dayInNotation(const std::string& day, DayNotation notation) {
  if (notation == DayNotation::Letters && day.size() == 1 && day[0] >= '1' && day[0] <= '7') {
    static const char kLetters[] = "LMXJVSD";
    return std::string(1, kLetters[day[0] - '1']);
  }
  return day;
}

std::string lessonRecord(const std::string& slot, const std::string& day, const std::string& teacher,
                         const std::string& group, const std::string& subject,
                         const std::string& room) {
  return "1" + writeField(slot, 4) + writeField(day, 1) + writeField(teacher, 4) +
         writeField(group, 4) + "LEC " + writeField(subject, 4) + writeField(room, 4);
}

SlotLookup::SlotLookup(tables::Table& slots) {
  slots.first();
  if (slots.eof()) return;
  const size_t dayField = slots.fieldIndex("DIA");
  const size_t periodField = slots.fieldIndex("HORA");
  const size_t codeField = slots.fieldIndex("CODDIHO");
  for (; !slots.eof(); slots.next()) {
    // The first row of a day and period keeps its code.
    codes_.add(key(slots.asString(dayField), slots.asString(periodField)), slots.asString(codeField));
  }
}

std::string SlotLookup::find(const std::string& day, const std::string& period) const {
  const std::string* found = codes_.find(key(day, period));
  return found ? *found : std::string();
}

std::string SlotLookup::key(const std::string& day, const std::string& period) {
  // The day's length first keeps every (day, period) pair apart, whatever
  // bytes the texts hold.
  return std::to_string(day.size()) + ':' + day + period;
}

}  // namespace tht
