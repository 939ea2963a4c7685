#include "tables/table.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "platform/error.h"
#include "platform/clock.h"
#include "platform/cp1252.h"
#include "platform/files.h"
#include "tables/dbf_layout.h"
#include "tables/field_value.h"
#include "tables/table_file.h"

namespace tht::tables {
namespace {

constexpr char kEndOfFile = 0x1A;
constexpr char kDeleted = '*';
// Posted rows are stored at the latest after this many posts (and at every
// close), so a post costs no system call of its own.
constexpr uint32_t kPostsPerFlush = 4096;
// Rows are read from the file in blocks of about this many bytes, and
// edits written back a block at a time. Row by row, the export of a school
// of bench/gen's 1x size took 1.2 times as long on Linux and 2.8 times as
// long under Wine (both ways timed alternately in one run).
constexpr size_t kReadBlockBytes = 64 * 1024;

struct Today {
  int year, month, day;
};

Today today() {
  const std::tm local = localTimeNow();
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

Column columnFor(const FieldDef& field) {
  Column column;
  column.name = field.name;
  switch (field.kind) {
    case FieldKind::String:
      column.type = 'C';
      column.width = static_cast<uint32_t>(field.size);
      break;
    case FieldKind::Integer:  // every 32-bit value, sign included
      column.type = 'N';
      column.width = 11;
      break;
    case FieldKind::Float:  // values whose four decimals hold them exactly
      column.type = 'N';    // are written that way, others in full
      column.width = 20;
      column.decimals = 4;
      break;
  }
  return column;
}

}  // namespace

void createTable(const std::string& folder, const std::string& tableName,
                 const std::vector<FieldDef>& fields) {
  const std::string path = joinPath(folder, tableName + ".DBF");
  if (!folderExists(folder)) throw Error(engineMessage("Directory does not exist.", path));
  DbfLayout layout;
  for (const FieldDef& field : fields) {
    if (field.name.empty() || field.name.size() > 10 ||
        (field.kind == FieldKind::String && (field.size < 1 || field.size > 254)))
      throw Error(engineMessage("Invalid field definition.\nField: " + field.name, path));
    layout.columns.push_back(columnFor(field));
  }
  computeLayout(layout);

  const std::string oldTable = resolveInFolder(folder, tableName + ".DBF");
  if (fileExists(oldTable) && isLockedByOthers(oldTable))
    throw Error(engineMessage("Table is busy.", oldTable));

  // The new table takes the old one's place in one rename, so that no
  // moment passes without a table there (a process killed in between
  // leaves the old table or the new one). An old table whose name differs
  // in letter case goes afterwards.
  const Today date = today();
  try {
    replaceFileAtomically(path, encodeHeader(layout, date.year, date.month, date.day) + kEndOfFile);
  } catch (const Error& error) {
    throw Error(engineMessage(std::string("Cannot create table.\n") + error.what(), path));
  }
  if (oldTable != path) deleteFileIfPresent(oldTable);
  deleteFileIfPresent(resolveInFolder(folder, tableName + ".MDX"));
}

struct Table::State {
  TableFile file;
  DbfLayout layout;
  bool writable;
  uint32_t storedCount;  // rows in the file as its header counts them

  // New rows posted but not yet in the file.
  std::string appended;
  uint32_t appendedCount = 0;
  uint32_t postsSinceFlush = 0;

  // A block of stored rows as last read, with the edits posted to them
  // since. Edits only ever touch the current row, which is always in the
  // block, so the block holds every posted edit not yet in the file: rows
  // cacheFirst + dirtyFirst up to cacheFirst + dirtyEnd (exclusive).
  uint32_t cacheFirst = 0;
  uint32_t cacheCount = 0;
  std::string cache;
  uint32_t dirtyFirst = 0;
  uint32_t dirtyEnd = 0;

  uint32_t current = 0;  // row number; at the end when >= rowCount()
  enum class Pending { None, Edit, Append } pending = Pending::None;
  std::string buffer;  // the row being edited or appended
  std::string blank;   // a row of empty fields: new rows, and reads past the last row

  State(const std::string& path, bool writable_, TableFile::Lock lock)
      : file(path, writable_, lock), writable(writable_) {
    const uint64_t size = file.size();
    const uint32_t headerLength = storedHeaderLength(file.readAt(0, kFixedHeaderSize));
    layout = parseLayout(file.readAt(0, headerLength), size, path);
    storedCount = layout.recordCount;
    blank = blankRecord(layout);
  }

  uint32_t rowCount() const { return storedCount + appendedCount; }
  size_t rowLength() const { return layout.recordLength; }
  bool cached(uint32_t number) const { return number >= cacheFirst && number - cacheFirst < cacheCount; }

  // The bytes of a row, valid until the next call that moves or changes rows.
  std::string_view row(uint32_t number) {
    if (number >= storedCount)
      return std::string_view(appended).substr(size_t{number - storedCount} * rowLength(), rowLength());
    if (!cached(number)) readBlock(number);
    return std::string_view(cache).substr(size_t{number - cacheFirst} * rowLength(), rowLength());
  }

  void readBlock(uint32_t number) {
    writeEdits();
    const uint32_t perBlock = std::max<uint32_t>(1, kReadBlockBytes / layout.recordLength);
    cacheFirst = number;
    cacheCount = std::min(perBlock, storedCount - number);
    cache = file.readAt(layout.headerLength + uint64_t{number} * rowLength(), size_t{cacheCount} * rowLength());
    if (cache.size() != size_t{cacheCount} * rowLength()) {
      cacheCount = 0;  // the file shrank under us
      throw Error(engineMessage("Corrupt table/index header.", file.path()));
    }
  }

  // Stores an edited row, which is the current one.
  void storeEdit(uint32_t number, const std::string& bytes) {
    if (number >= storedCount) {
      std::memcpy(&appended[size_t{number - storedCount} * rowLength()], bytes.data(), rowLength());
      return;
    }
    if (!cached(number)) readBlock(number);
    const uint32_t inBlock = number - cacheFirst;
    std::memcpy(&cache[size_t{inBlock} * rowLength()], bytes.data(), rowLength());
    if (dirtyFirst == dirtyEnd) {
      dirtyFirst = inBlock;
      dirtyEnd = inBlock + 1;
    } else {
      dirtyFirst = std::min(dirtyFirst, inBlock);
      dirtyEnd = std::max(dirtyEnd, inBlock + 1);
    }
  }

  // Writes the edited rows of the block in one write, from the first edited
  // to the last: a pass that edits rows here and there costs one write per
  // block, not one per row. Rows in between go back as they were read.
  void writeEdits() {
    if (dirtyFirst == dirtyEnd) return;
    const size_t from = size_t{dirtyFirst} * rowLength();
    const size_t count = size_t{dirtyEnd - dirtyFirst} * rowLength();
    file.writeAt(layout.headerLength + uint64_t{cacheFirst} * rowLength() + from,
                 std::string_view(cache).substr(from, count));
    dirtyFirst = dirtyEnd = 0;
  }

  void skipDeleted() {
    while (current < rowCount() && row(current)[0] == kDeleted) ++current;
  }

  // Writes what was posted: the edited rows, the new rows and the end marker
  // first, then the header's count, so a process killed in between leaves
  // the old count over whole rows.
  void flush() {
    postsSinceFlush = 0;
    writeEdits();
    if (appendedCount > 0) {
      appended += kEndOfFile;  // written with the rows, then taken off again
      try {
        file.writeAt(layout.headerLength + uint64_t{storedCount} * layout.recordLength, appended);
      } catch (const Error&) {
        appended.pop_back();
        throw;
      }
      std::string counted = file.readAt(0, 8);
      const Today date = today();
      stampHeader(counted, storedCount + appendedCount, date.year, date.month, date.day);
      file.writeAt(0, counted);
      storedCount += appendedCount;
      appended.clear();
      appendedCount = 0;
    }
  }
};

Table::Table(std::string componentName) : componentName_(std::move(componentName)) {}

Table::~Table() {
  try {
    close();
  } catch (const Error&) {
    // Only a failed final write lands here, and a destructor cannot report
    // it; callers that write close explicitly to learn of it.
  }
}

void Table::open(const std::string& folder, const std::string& fileName, OpenMode mode) {
  close();
  const std::string path = resolveInFolder(folder, fileName);
  const bool writable = mode != OpenMode::ReadOnlyShared;
  const auto lock = mode == OpenMode::Exclusive ? TableFile::Lock::Exclusive : TableFile::Lock::Shared;
  state_ = std::make_unique<State>(path, writable, lock);
  first();
}

void Table::close() {
  if (!state_) return;
  std::unique_ptr<State> state = std::move(state_);
  state->pending = State::Pending::None;
  state->flush();
  // A table the run reports as written must survive a power cut: its rows
  // and header go to the disk before the step that wrote it moves on.
  state->file.flushToDisk();
}

bool Table::isOpen() const { return state_ != nullptr; }

const std::string& Table::componentName() const { return componentName_; }

Table::State& Table::openState() const {
  if (!state_) throw Error(withComponent("Cannot perform this operation on a closed dataset"));
  return *state_;
}

std::string Table::withComponent(const std::string& message) const {
  return componentName_.empty() ? message : componentName_ + ": " + message;
}

void Table::first() {
  State& state = openState();
  storePending();
  state.current = 0;
  state.skipDeleted();
}

void Table::next() {
  State& state = openState();
  storePending();
  if (state.current < state.rowCount()) ++state.current;
  state.skipDeleted();
}

bool Table::eof() const {
  const State& state = openState();
  return state.current >= state.rowCount();
}

void Table::storePending() {
  if (state_ && state_->pending != State::Pending::None) post();
}

void Table::append() {
  State& state = writableState();
  storePending();
  state.buffer = state.blank;
  state.pending = State::Pending::Append;
}

void Table::edit() {
  State& state = writableState();
  if (state.pending != State::Pending::None) return;
  if (state.current >= state.rowCount()) throw Error(withComponent("Cannot edit: no current record"));
  state.buffer.assign(state.row(state.current));
  state.pending = State::Pending::Edit;
}

void Table::post() {
  State& state = openState();
  const auto pending = state.pending;
  state.pending = State::Pending::None;
  if (pending == State::Pending::Append) {
    state.appended += state.buffer;
    state.current = state.rowCount();
    ++state.appendedCount;
  } else if (pending == State::Pending::Edit) {
    state.storeEdit(state.current, state.buffer);
  } else {
    return;
  }
  if (++state.postsSinceFlush >= kPostsPerFlush) state.flush();
}

Table::State& Table::writableState() {
  State& state = openState();
  if (!state.writable) throw Error(withComponent(engineMessage("Table is read only.", state.file.path())));
  return state;
}

size_t Table::fieldIndex(const std::string& name) const {
  const State& state = openState();
  const std::string wanted = upperAscii(name);
  for (size_t i = 0; i < state.layout.columns.size(); ++i)
    if (upperAscii(state.layout.columns[i].name) == wanted) return i;
  throw Error(withComponent("No se encuentra el campo '" + name + "'"));
}

size_t Table::fieldCount() const { return openState().layout.columns.size(); }

const std::string& Table::fieldName(size_t field) const { return column(field).name; }

const Column& Table::column(size_t field) const {
  const State& state = openState();
  if (field >= state.layout.columns.size())
    throw Error(withComponent("Field index out of range: " + std::to_string(field)));
  return state.layout.columns[field];
}

std::string_view Table::currentRecord() const {
  State& state = openState();
  if (state.pending != State::Pending::None) return state.buffer;
  if (state.current >= state.rowCount()) return state.blank;
  return state.row(state.current);
}

std::string Table::asString(size_t field) const { return readText(currentRecord(), column(field)); }
int32_t Table::asInteger(size_t field) const { return readInteger(currentRecord(), column(field)); }
double Table::asFloat(size_t field) const { return readFloat(currentRecord(), column(field)); }

std::string_view Table::text(size_t field) const {
  const Column& wanted = column(field);
  if (wanted.type != 'C') throw Error(withComponent("Field '" + wanted.name + "' is not a text field"));
  return storedText(currentRecord(), wanted);
}

std::string& Table::editBuffer() {
  State& state = openState();
  if (state.pending == State::Pending::None)
    throw Error(withComponent("Dataset not in edit or insert mode"));
  return state.buffer;
}

void Table::setString(size_t field, std::string_view value) {
  writeText(editBuffer(), column(field), value, state_->file.path());
}

void Table::setInteger(size_t field, int32_t value) {
  writeInteger(editBuffer(), column(field), value, state_->file.path());
}

void Table::setFloat(size_t field, double value) {
  writeFloat(editBuffer(), column(field), value, state_->file.path());
}

}  // namespace tht::tables
