// Reading and writing one field of a dBase record, by the rules the working
// tables follow: text without trailing spaces, numbers as decimal text, an
// empty numeric field read as 0, text cut to the field's size when written.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "tables/dbf_layout.h"

namespace tht::tables {

enum class ValueKind { Text, Integer, Float };

// How a stored field reads: I and + fields and N fields without decimals
// as integers; N fields with decimals, F and O fields as floating point;
// everything else as text.
ValueKind valueKind(const Column& column);

// A record with every field empty: blanks, and zero bytes in binary fields.
std::string blankRecord(const DbfLayout& layout);

// `record` is one whole record, deletion flag first. Errors carry `path`.
std::string readText(std::string_view record, const Column& column);
int32_t readInteger(std::string_view record, const Column& column);
double readFloat(std::string_view record, const Column& column);

// The stored text of a text field without trailing blanks, as a view into
// `record`; readText() gives the same for such fields.
std::string_view storedText(std::string_view record, const Column& column);

void writeText(std::string& record, const Column& column, std::string_view value,
               const std::string& path);
void writeInteger(std::string& record, const Column& column, int32_t value, const std::string& path);
void writeFloat(std::string& record, const Column& column, double value, const std::string& path);

// A number as text: at most 15 significant digits, trailing zeros and a bare
// separator dropped, the locale's decimal separator.
std::string formatNumber(double value);

}  // namespace tht::tables
