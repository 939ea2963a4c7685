// The working tables: dBase files in the work folder, created, opened,
// walked, read and written through this small engine of our own.
//
// Files are dBase III+/IV compatible (version byte 0x03, code page 1252
// language driver). Text is stored as the CP1252 bytes given. Every error is
// a tht::Error whose message is the text the user sees.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tht::tables {

struct Column;

enum class FieldKind { String, Integer, Float };

struct FieldDef {
  std::string name;  // at most 10 characters
  FieldKind kind = FieldKind::String;
  int size = 0;      // characters, for String fields only
};

enum class OpenMode {
  Shared,          // read and write; other programs may open it shared too
  Exclusive,       // read and write; no other program may hold it
  ReadOnlyShared,  // read only; others may read too
};

// In `folder`: replaces "<tableName>.DBF" (matched ignoring case) with a
// new table of `fields` and no rows, in one rename, then deletes
// "<tableName>.MDX" when present (a failed delete is ignored). The folder is never created: a missing folder
// is an error. `tableName` is given without extension ("ASIGNOMT").
void createTable(const std::string& folder, const std::string& tableName,
                 const std::vector<FieldDef>& fields);

// The text a text field reads as when `stored` are its bytes: without the
// blanks (spaces, NULs) at their end.
std::string_view textAsRead(std::string_view stored);
// The text a text field of `size` characters reads as after `value` has
// been set in it: the value cut to the field's size, as read.
std::string_view textAsStored(std::string_view value, size_t size);

class Table {
 public:
  // `componentName` ("wwTableSoluc") prefixes field-lookup errors as
  // "<name>: No se encuentra el campo '<field>'"; empty for no prefix.
  explicit Table(std::string componentName = {});
  ~Table();  // closes; a pending edit is dropped
  Table(const Table&) = delete;
  Table& operator=(const Table&) = delete;

  // Opens "<folder>/<fileName>" (file name matched ignoring case) and moves
  // to the first row. Throws when the file is missing, damaged or held by
  // another program in a way `mode` does not allow.
  void open(const std::string& folder, const std::string& fileName, OpenMode mode);
  // Closes when open, storing every posted row and, when anything was
  // written, waiting until it is on the disk; a pending edit or append is
  // dropped. Throws when the posted rows cannot be written (the table is
  // closed all the same); the destructor closes silently, so a caller that
  // wrote ends with an explicit close().
  void close();
  bool isOpen() const;
  const std::string& componentName() const;

  // Walking in stored order, rows marked deleted skipped. eof() is true at
  // once on an empty table. Moving stores a pending edit first.
  void first();
  void next();
  bool eof() const;

  // A new last row with every field empty; set fields, then post().
  void append();
  // Starts changing the current row in place; set fields, then post().
  void edit();
  // Stores the appended or edited row.
  void post();

  // Position of a field, its name matched ignoring case. Throws
  // "No se encuentra el campo '<name>'" (with the component prefix).
  size_t fieldIndex(const std::string& name) const;
  size_t fieldCount() const;
  const std::string& fieldName(size_t field) const;  // as stored

  // Reading the current row (during an edit or append: the values just set).
  // Text: stored text without trailing spaces; numbers as decimal text.
  std::string asString(size_t field) const;
  // Empty numeric field 0; floats round to nearest, ties to even; a text
  // field must hold a decimal integer ("'%s' no es un valor entero válido").
  int32_t asInteger(size_t field) const;
  double asFloat(size_t field) const;
  // A text field's value as asString() gives it, as a view that stays valid
  // until the next call that moves, edits or posts. Throws for other fields.
  std::string_view text(size_t field) const;

  // Writing the current row during edit or append. Text is cut to the
  // field's size.
  void setString(size_t field, std::string_view value);
  void setInteger(size_t field, int32_t value);
  void setFloat(size_t field, double value);

  // By field name, for callers that touch a field once.
  std::string asString(const std::string& field) const { return asString(fieldIndex(field)); }
  int32_t asInteger(const std::string& field) const { return asInteger(fieldIndex(field)); }
  double asFloat(const std::string& field) const { return asFloat(fieldIndex(field)); }
  void setString(const std::string& field, std::string_view value) { setString(fieldIndex(field), value); }
  void setInteger(const std::string& field, int32_t value) { setInteger(fieldIndex(field), value); }
  void setFloat(const std::string& field, double value) { setFloat(fieldIndex(field), value); }

 private:
  struct State;
  State& openState() const;
  State& writableState();
  std::string withComponent(const std::string& message) const;
  void storePending();
  const Column& column(size_t field) const;
  std::string_view currentRecord() const;
  std::string& editBuffer();

  std::string componentName_;
  std::unique_ptr<State> state_;
};

}  // namespace tht::tables
