// The teaching assignments step: ASIGT, one row per subject-group record,
// completed with the group's fields from GRUPOST and the weekly hours of the
// subject-course file. The two first-match lookups of the step go through
// maps built once, each keeping the first match in file or table order, so
// the cost grows with the sum of the sizes rather than their product.
//
// Its four passes (load, join with GRUPOST, hours, one hour by default) are
// done as one: GRUPOST and the subject-course file (which the run has read
// ahead on a second thread) are taken first, and each row is appended
// complete, written once. The table left is the one the four passes in turn
// would leave, errors included:
// - GRUPOST unreadable: rows are loaded bare, then its error is raised;
// - subject-course file missing or unreadable: rows are loaded and joined,
//   then its message or error comes;
// - an hours text that is not a number: that row and the later ones are
//   loaded and joined only, and the rows before it that took the default
//   hour have it emptied again, as the final pass never runs; then the error;
// - a load that fails: the rows loaded so far are emptied back to CASIG and
//   CGRUP before the error goes on, as the later passes never run.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "export/hours.h"
#include "export/steps.h"
#include "export/subject_hours.h"
#include "export/teba_files.h"
#include "platform/error.h"
#include "platform/files.h"
#include "platform/first_match.h"
#include "tables/table.h"
#include "teba/line_reader.h"
#include "teba/records.h"

namespace tht {
namespace {

using tables::FieldDef;
using tables::FieldKind;
using tables::OpenMode;
using tables::Table;

constexpr size_t kPatternSize = 20;
const char* const kGroupFields[] = {"TURNO", "NIVEL", "CURSO", "GRUPO"};
constexpr int kGroupFieldSizes[] = {1, 5, 3, 2};  // in ASIGT

const std::vector<FieldDef>& asigtFields() {
  static const std::vector<FieldDef> fields = {
      {"CASIG", FieldKind::String, 4},
      {"CPROF", FieldKind::String, 4},
      {"CGRUP", FieldKind::String, 4},
      {"CAULA", FieldKind::String, 4},
      {kGroupFields[0], FieldKind::String, kGroupFieldSizes[0]},
      {kGroupFields[1], FieldKind::String, kGroupFieldSizes[1]},
      {kGroupFields[2], FieldKind::String, kGroupFieldSizes[2]},
      {kGroupFields[3], FieldKind::String, kGroupFieldSizes[3]},
      {"HORAS", FieldKind::Float, 0},
      {"SESIONES", FieldKind::String, kPatternSize}};
  return fields;
}

// TURNO, NIVEL, CURSO and GRUPO of a group as ASIGT stores them: each cut to
// its field's size, which is all that writing them keeps. A few bytes rather
// than four strings, so that the lookup stays small in the cache.
class GroupFields {
 public:
  void set(size_t field, std::string_view value) {
    sizes_[field] = static_cast<uint8_t>(std::min<size_t>(value.size(), kGroupFieldSizes[field]));
    if (sizes_[field] > 0) std::memcpy(bytes_ + offset(field), value.data(), sizes_[field]);
  }
  std::string_view get(size_t field) const { return std::string_view(bytes_ + offset(field), sizes_[field]); }
  // NIVEL and CURSO as a row reads them back once stored (cutting can
  // leave blanks at their end).
  std::string_view levelKey() const { return tables::textAsRead(get(1)); }
  std::string_view courseKey() const { return tables::textAsRead(get(2)); }

 private:
  static size_t offset(size_t field) {
    size_t at = 0;
    for (size_t i = 0; i < field; ++i) at += kGroupFieldSizes[i];
    return at;
  }
  char bytes_[1 + 5 + 3 + 2];
  uint8_t sizes_[4] = {};
};

using GroupLookup = FirstMatch<GroupFields>;

// GRUPOST as a lookup from ABREV to the fields of its first row.
GroupLookup readGroups(const std::string& workFolder) {
  Table groups;
  groups.open(workFolder, "GRUPOST.DBF", OpenMode::ReadOnlyShared);
  GroupLookup firstGroup;
  if (!groups.eof()) {
    const size_t abrev = groups.fieldIndex("ABREV");
    std::vector<size_t> columns;
    for (const char* name : kGroupFields) columns.push_back(groups.fieldIndex(name));
    for (; !groups.eof(); groups.next()) {
      GroupFields values;
      for (size_t i = 0; i < columns.size(); ++i) values.set(i, groups.asString(columns[i]));
      firstGroup.add(groups.text(abrev), values);
    }
  }
  groups.close();
  return firstGroup;
}

// The ASIGT fields the step fills, by position.
struct AsigtColumns {
  explicit AsigtColumns(const Table& asigt)
      : subject(asigt.fieldIndex("CASIG")),
        group(asigt.fieldIndex("CGRUP")),
        hours(asigt.fieldIndex("HORAS")),
        pattern(asigt.fieldIndex("SESIONES")) {
    for (size_t i = 0; i < 4; ++i) groupFields[i] = asigt.fieldIndex(kGroupFields[i]);
  }
  size_t subject, group, hours, pattern;
  size_t groupFields[4];
};

// The load of the subject-group file, each row completed as it is appended.
// Records are taken a batch at a time, so that the look-ups of a batch are
// hinted before they are made and wait for memory together.
class Load {
 public:
  // Without `groups` rows are loaded bare; without `hours` they are joined only.
  Load(Table& asigt, const GroupLookup* groups, HoursLookup* hours)
      : asigt_(asigt), columns_(asigt), groups_(groups), hours_(hours) {}

  // Appends a row per data record. A failure empties the rows appended so
  // far back to CASIG and CGRUP, then goes on.
  void run(LineReader& input) {
    try {
      while (readBatch(input)) appendBatch();
    } catch (...) {
      try {
        emptyRows(rows_, /*keepGroups=*/false);
      } catch (const Error&) {
        // The first failure is the one to report.
      }
      throw;
    }
  }

  // After run(): the hours error met, if any, with the rows before it that
  // took the default hour emptied again.
  void raiseHoursError() {
    if (!hoursError_) return;
    emptyRows(rowsBeforeHoursError_, /*keepGroups=*/true);
    std::rethrow_exception(hoursError_);
  }

 private:
  static constexpr size_t kBatch = 16;

  struct Pending {
    std::string line;
    AssignmentRecord record;
    const GroupFields* group = nullptr;
    std::string hoursKey;
  };

  bool readBatch(LineReader& input) {
    count_ = 0;
    while (count_ < kBatch && !input.eof()) {
      Pending& next = batch_[count_];
      input.readLine(next.line);
      if (isSkipped(next.line, kAssignmentsFile.expectedName)) continue;
      next.record = assignmentRecord(next.line);
      ++count_;
    }
    return count_ > 0;
  }

  void appendBatch() {
    if (groups_) {
      for (size_t i = 0; i < count_; ++i) groups_->slotHint(batch_[i].record.group);
      for (size_t i = 0; i < count_; ++i) groups_->entryHint(batch_[i].record.group);
      for (size_t i = 0; i < count_; ++i) batch_[i].group = groups_->find(batch_[i].record.group);
    }
    if (groups_ && hours_ && !hoursError_) {
      for (size_t i = 0; i < count_; ++i) {
        Pending& row = batch_[i];
        hoursKey(row.hoursKey, row.record.subject, row.group ? row.group->levelKey() : std::string_view(),
                 row.group ? row.group->courseKey() : std::string_view());
        hours_->slotHint(row.hoursKey);
      }
      for (size_t i = 0; i < count_; ++i) hours_->entryHint(batch_[i].hoursKey);
    }
    for (size_t i = 0; i < count_; ++i) append(batch_[i]);
  }

  void append(const Pending& row) {
    asigt_.append();
    asigt_.setString(columns_.subject, row.record.subject);
    asigt_.setString(columns_.group, row.record.group);
    if (row.group)
      for (size_t i = 0; i < 4; ++i) asigt_.setString(columns_.groupFields[i], row.group->get(i));
    if (groups_ && hours_ && !hoursError_) {
      try {
        setHours(hours_->find(row.hoursKey));
      } catch (const Error&) {
        hoursError_ = std::current_exception();  // this row keeps its join only
        rowsBeforeHoursError_ = rows_;
        asigt_.setString(columns_.hours, "");
        asigt_.setString(columns_.pattern, "");
      }
    }
    asigt_.post();
    ++rows_;
  }

  void setHours(Hours* found) {
    const double hours = found ? found->value() : 1;
    asigt_.setFloat(columns_.hours, hours);
    asigt_.setString(columns_.pattern, found ? sessionPattern(hours, kPatternSize) : "1");
  }

  // Empties the hours of the first `count` rows where no record gave them
  // (keepGroups), or everything but CASIG and CGRUP.
  void emptyRows(size_t count, bool keepGroups) {
    std::string joined;
    size_t row = 0;
    for (asigt_.first(); row < count && !asigt_.eof(); asigt_.next(), ++row) {
      if (keepGroups && hours_->find(hoursKey(joined, asigt_.text(columns_.subject),
                                              asigt_.text(columns_.groupFields[1]),
                                              asigt_.text(columns_.groupFields[2]))))
        continue;
      asigt_.edit();
      if (!keepGroups)
        for (size_t field : columns_.groupFields) asigt_.setString(field, "");
      asigt_.setString(columns_.hours, "");
      asigt_.setString(columns_.pattern, "");
      asigt_.post();
    }
  }

  Table& asigt_;
  const AsigtColumns columns_;
  const GroupLookup* groups_;
  HoursLookup* hours_;
  Pending batch_[kBatch];
  size_t count_ = 0;
  size_t rows_ = 0;
  std::exception_ptr hoursError_;
  size_t rowsBeforeHoursError_ = 0;
};

// A read made before the point where the passes would make it: its result,
// or the error it raised, to be raised at that point.
template <class Result>
struct EarlyRead {
  std::optional<Result> result;
  std::exception_ptr error;

  template <class Read>
  static EarlyRead of(Read read) {
    EarlyRead early;
    try {
      early.result = read();
    } catch (const Error&) {
      early.error = std::current_exception();
    }
    return early;
  }
  void raise() const {
    if (error) std::rethrow_exception(error);
  }
};

}  // namespace

void TraspasarAsignaturasGrupos(StepContext& context) {
  const std::string inputPath =
      stepInput(context, kAssignmentsFile, "No existe archivo de grupos (TEBA_ASIGNATGRUPO.TXT)");
  if (inputPath.empty()) return;
  const std::string& workFolder = context.env.workFolder;
  const std::string coursePath = resolveInFolder(context.session.CarpetaTxt, kSubjectCourseFile.name);
  const bool hoursFileThere = fileExists(coursePath);
  HoursReadAhead noneAhead{std::string()};  // when the run started none: read when taken
  HoursReadAhead& hoursAhead = context.hoursAhead ? *context.hoursAhead : noneAhead;

  Table asigt;
  // Opened before the old table goes, so an input that cannot be read
  // leaves that table in place.
  LineReader input(inputPath);
  tables::createTable(workFolder, "ASIGT", asigtFields());
  asigt.open(workFolder, "ASIGT.DBF", OpenMode::Shared);

  const auto groups = EarlyRead<GroupLookup>::of([&] { return readGroups(workFolder); });
  EarlyRead<HoursLookup> hours;  // never read when the join would fail first
  if (groups.result && hoursFileThere)
    hours = EarlyRead<HoursLookup>::of([&] { return hoursAhead.take(coursePath); });

  Load load(asigt, groups.result ? &*groups.result : nullptr, hours.result ? &*hours.result : nullptr);
  load.run(input);
  groups.raise();
  if (!hoursFileThere) {
    context.env.notifier.message("No existe archivo de grupos (TEBA_ASIGNATCURSO.TXT)");
    asigt.close();
    return;
  }
  hours.raise();
  load.raiseHoursError();
  asigt.close();
}

}  // namespace tht
