#include "tables/field_value.h"

#include <algorithm>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstring>
#include <limits>
#include <string_view>

#include "core/error_texts.h"
#include "platform/error.h"
#include "tables/table.h"

namespace tht::tables {
namespace {

std::string_view fieldBytes(std::string_view record, const Column& column) {
  return record.substr(column.offset, column.width);
}

bool isBlank(char c) { return c == ' ' || c == '\0'; }

std::string_view trimmed(std::string_view text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && isBlank(text[begin])) ++begin;
  while (end > begin && isBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}


// Parses the whole text as a number, independent of the locale; a leading
// '+' is allowed as dBase writers put it.
bool parseDouble(std::string_view text, double& value) {
  if (!text.empty() && text[0] == '+') text.remove_prefix(1);
  const char* end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, value);
  if (result.ptr != end || text.empty()) return false;
  if (result.ec == std::errc::result_out_of_range) {
    // Too large or too small for a double: the sign and the size decide.
    const bool negative = text[0] == '-';
    const bool huge = text.find_first_of("eE") == std::string::npos ||
                      text[text.find_first_of("eE") + 1] != '-';
    value = huge ? (negative ? -HUGE_VAL : HUGE_VAL) : (negative ? -0.0 : 0.0);
    return true;
  }
  return result.ec == std::errc();
}

bool parseWhole(std::string_view text, int64_t& value) {
  if (!text.empty() && text[0] == '+') text.remove_prefix(1);
  const char* end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, value);
  return !text.empty() && result.ptr == end && result.ec == std::errc();
}

// The four bytes of an I or + field as a signed value.
int32_t storedInteger(std::string_view record, const Column& column) {
  uint32_t bits = 0;
  for (int i = 0; i < 4; ++i) {
    const uint32_t byte = static_cast<unsigned char>(record[column.offset + i]);
    bits |= column.dbase7 ? byte << (8 * (3 - i)) : byte << (8 * i);
  }
  if (column.dbase7) bits ^= 0x80000000u;
  return static_cast<int32_t>(bits);
}

// The eight bytes of an O field: little-endian IEEE, or in dBase 7
// big-endian with the sign bit set for positive values and every bit
// inverted for negative ones.
double storedDouble(std::string_view record, const Column& column) {
  uint64_t bits = 0;
  for (int i = 0; i < 8; ++i) {
    const uint64_t byte = static_cast<unsigned char>(record[column.offset + i]);
    bits |= column.dbase7 ? byte << (8 * (7 - i)) : byte << (8 * i);
  }
  if (column.dbase7) bits = (bits >> 63) ? bits & ~(uint64_t{1} << 63) : ~bits;
  double value = 0;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

bool isBinary(const Column& column) {
  return column.type == 'I' || column.type == '+' || column.type == 'O';
}

// dBase 7 leaves an empty binary field as zero bytes (its encoding never
// gives them for a value); other writers may too.
bool isZeroFilled(std::string_view record, const Column& column) {
  if (!column.dbase7) return false;
  for (uint32_t i = 0; i < column.width; ++i)
    if (record[column.offset + i] != '\0') return false;
  return true;
}

// The value of a numeric field; false when it is empty (or unreadable,
// which a careless writer leaves as asterisks).
bool numericValue(std::string_view record, const Column& column, double& value) {
  switch (column.type) {
    case 'I':
    case '+':
      if (column.width < 4 || isZeroFilled(record, column)) return false;
      value = storedInteger(record, column);
      return true;
    case 'O':
      if (column.width < 8 || isZeroFilled(record, column)) return false;
      value = storedDouble(record, column);
      return true;
    default:
      return parseDouble(trimmed(fieldBytes(record, column)), value);
  }
}

int32_t roundedToInteger(double value, const std::string& text) {
  const double rounded = std::nearbyint(value);  // ties to even
  if (!(rounded >= std::numeric_limits<int32_t>::min() && rounded <= std::numeric_limits<int32_t>::max()))
    throw Error(notAnIntegerMessage(text));
  return static_cast<int32_t>(rounded);
}

std::string charsOf(double value, std::chars_format format, int precision) {
  char buffer[400];
  const auto result = precision < 0 ? std::to_chars(buffer, buffer + sizeof buffer, value, format)
                                    : std::to_chars(buffer, buffer + sizeof buffer, value, format, precision);
  return std::string(buffer, result.ptr);
}

std::string shortest(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

[[noreturn]] void outOfRange(const Column& column, const std::string& path) {
  throw Error(engineMessage("Field value out of range.\nField: " + column.name, path));
}

// The binary fields (I, + and O) of other programs' tables are read, never
// written: the tables this program writes have none.
void refuseBinary(const Column& column, const std::string& path) {
  if (isBinary(column)) throw Error(engineMessage("Capability not supported.\nField: " + column.name, path));
}

void putRightAligned(std::string& record, const Column& column, const std::string& text,
                     const std::string& path) {
  if (text.size() > column.width) outOfRange(column, path);
  char* field = &record[column.offset];
  const size_t blanks = column.width - text.size();
  std::memset(field, ' ', blanks);
  std::memcpy(field + blanks, text.data(), text.size());
}

// The text a number is stored as in an N or F field: with the field's
// decimals when that gives the value back exactly, else the shortest text
// that does, so that every value written reads back unchanged.
std::string storedNumber(double value, const Column& column, const std::string& path) {
  if (!std::isfinite(value)) outOfRange(column, path);
  std::string text = charsOf(value, std::chars_format::fixed, static_cast<int>(column.decimals));
  double back = 0;
  if (text.size() <= column.width && parseDouble(text, back) && back == value) return text;
  text = shortest(value);
  for (int precision = 16; text.size() > column.width && precision >= 0; --precision)
    text = charsOf(value, std::chars_format::scientific, precision);
  return text;
}

}  // namespace

std::string blankRecord(const DbfLayout& layout) {
  std::string record(layout.recordLength, ' ');
  for (const Column& column : layout.columns)
    if (isBinary(column)) record.replace(column.offset, column.width, std::string(column.width, '\0'));
  return record;
}

ValueKind valueKind(const Column& column) {
  switch (column.type) {
    case 'I':
    case '+':
      return ValueKind::Integer;
    case 'N':
      return column.decimals == 0 ? ValueKind::Integer : ValueKind::Float;
    case 'F':
    case 'O':
      return ValueKind::Float;
    default:
      return ValueKind::Text;
  }
}

std::string formatNumber(double value) {
  std::string text = charsOf(value, std::chars_format::general, 15);
  // The general format already drops trailing zeros and a bare point.
  const char* separator = std::localeconv()->decimal_point;
  const size_t point = text.find('.');
  if (point != std::string::npos && separator && *separator) text.replace(point, 1, separator);
  return text;
}

std::string readText(std::string_view record, const Column& column) {
  const ValueKind kind = valueKind(column);
  if (kind != ValueKind::Text) {
    double value = 0;
    if (!numericValue(record, column, value)) return {};
    int64_t whole = 0;
    if (kind == ValueKind::Integer && column.type == 'N' &&
        parseWhole(trimmed(fieldBytes(record, column)), whole))
      return std::to_string(whole);
    return formatNumber(value);
  }
  const std::string_view bytes = fieldBytes(record, column);
  switch (column.type) {
    case 'L': {
      const char flag = bytes.empty() ? ' ' : bytes[0];
      if (std::strchr("TtYy", flag) && flag) return "True";
      if (std::strchr("FfNn", flag) && flag) return "False";
      return {};
    }
    case 'D': {
      const std::string_view date = trimmed(bytes);
      if (date.size() != 8 || date.find_first_not_of("0123456789") != std::string::npos) return {};
      return std::string(date.substr(6, 2)) + "/" + std::string(date.substr(4, 2)) + "/" + std::string(date.substr(0, 4));
    }
    case 'M':
    case 'G':
    case 'B':
    case 'P':
      return {};  // memo contents live in another file
    default:
      return std::string(storedText(record, column));
  }
}

int32_t readInteger(std::string_view record, const Column& column) {
  if (valueKind(column) == ValueKind::Text) return parseInteger32(readText(record, column));
  double value = 0;
  if (!numericValue(record, column, value)) return 0;
  int64_t whole = 0;
  const std::string text(trimmed(fieldBytes(record, column)));
  if (column.type == 'N' && parseWhole(text, whole)) {
    if (whole < std::numeric_limits<int32_t>::min() || whole > std::numeric_limits<int32_t>::max())
      throw Error(notAnIntegerMessage(text));
    return static_cast<int32_t>(whole);
  }
  return roundedToInteger(value, formatNumber(value));
}

double readFloat(std::string_view record, const Column& column) {
  if (valueKind(column) == ValueKind::Text) {
    const std::string text = readText(record, column);
    double value = 0;
    if (!parseDouble(trimmed(text), value))
      throw Error(notAFloatMessage(text));
    return value;
  }
  double value = 0;
  return numericValue(record, column, value) ? value : 0;
}

std::string_view textAsRead(std::string_view stored) {
  size_t end = stored.size();
  while (end > 0 && isBlank(stored[end - 1])) --end;
  return stored.substr(0, end);
}

std::string_view textAsStored(std::string_view value, size_t size) { return textAsRead(value.substr(0, size)); }

std::string_view storedText(std::string_view record, const Column& column) {
  return textAsRead(fieldBytes(record, column));
}

void writeText(std::string& record, const Column& column, std::string_view value,
               const std::string& path) {
  refuseBinary(column, path);
  switch (valueKind(column)) {
    case ValueKind::Integer:
      if (trimmed(value).empty()) break;
      writeInteger(record, column, parseInteger32(std::string(value)), path);
      return;
    case ValueKind::Float: {
      if (trimmed(value).empty()) break;
      double number = 0;
      if (!parseDouble(trimmed(value), number))
        throw Error(notAFloatMessage(std::string(value)));
      writeFloat(record, column, number, path);
      return;
    }
    case ValueKind::Text: {
      const size_t kept = std::min<size_t>(value.size(), column.width);
      char* field = &record[column.offset];
      if (kept > 0) std::memcpy(field, value.data(), kept);  // an empty view may have no data
      std::memset(field + kept, ' ', column.width - kept);
      return;
    }
  }
  // An empty text empties a numeric field.
  record.replace(column.offset, column.width, std::string(column.width, ' '));
}

void writeInteger(std::string& record, const Column& column, int32_t value, const std::string& path) {
  refuseBinary(column, path);
  switch (column.type) {
    case 'N':
    case 'F':
      writeFloat(record, column, value, path);
      return;
    default:
      writeText(record, column, std::to_string(value), path);
  }
}

void writeFloat(std::string& record, const Column& column, double value, const std::string& path) {
  refuseBinary(column, path);
  switch (column.type) {
    case 'N':
    case 'F':
      if (valueKind(column) == ValueKind::Integer) {
        // No decimals to hold a fraction: the value rounds as an integer would.
        putRightAligned(record, column, charsOf(std::nearbyint(value), std::chars_format::fixed, 0), path);
        if (!std::isfinite(value)) outOfRange(column, path);
        return;
      }
      putRightAligned(record, column, storedNumber(value, column, path), path);
      return;
    default:
      writeText(record, column, formatNumber(value), path);
  }
}

}  // namespace tht::tables
