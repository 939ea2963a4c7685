#include "import/lessons.h"

namespace tht {
namespace {

// A field of a table looked up by name the first time it is read.
class FieldOf {
 public:
  FieldOf(const tables::Table& table, const char* name) : table_(table), name_(name) {}
  size_t index() {
    if (index_ == kUnknown) index_ = table_.fieldIndex(name_);
    return index_;
  }

 private:
  const tables::Table& table_;
  const char* name_;
  static constexpr size_t kUnknown = static_cast<size_t>(-1);
  size_t index_ = kUnknown;
};

}  // namespace

void forEachLesson(tables::Table& soluc, DayNotation notation, const SlotOf& slotOf,
                   const std::function<void(const Lesson&)>& take) {
  FieldOf dayField(soluc, "DIA");
  FieldOf periodField(soluc, "HORA");
  FieldOf teacherField(soluc, "PROF");
  FieldOf groupField(soluc, "CODGRUPO");
  FieldOf subjectField(soluc, "ASIG");
  FieldOf roomField(soluc, "AULA");
  size_t row = 0;
  for (soluc.first(); !soluc.eof(); soluc.next()) {
    ++row;
    if (soluc.asInteger(dayField.index()) == 0) continue;  // not placed in the week
    const std::string period = soluc.asString(periodField.index());
    const std::string day = dayInNotation(soluc.asString(dayField.index()), notation);
    // Looked up afresh for every lesson: a lesson without a slot never
    // carries the code of the one before it.
    const std::string slot = slotOf(day, period);
    const std::string teacher = soluc.asString(teacherField.index());
    const std::string group = soluc.asString(groupField.index());
    const std::string subject = soluc.asString(subjectField.index());
    const std::string room = soluc.asString(roomField.index());
    take(Lesson{row, day, period, slot, teacher, group, subject, room});
  }
}

}  // namespace tht
