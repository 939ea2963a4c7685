// The rules every TEBA text file shares: the skip test, fields taken out of
// a line and written into one, header and trailer records, file writing.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tht {

// The characters of `line` from 1-based column `start` on, `width` of them
// or as many as the line has; a start before column 1 counts as column 1.
std::string field(std::string_view line, long start, long width);

// Removes every character of code 0x20 or below from both ends.
std::string trim(std::string_view text);

// field() followed by trim(): how the readers take their values.
std::string trimmedField(std::string_view line, long start, long width);
// The same as a view into `line`, for readers that only look at it.
std::string_view trimmedFieldView(std::string_view line, long start, long width);

// True for a header ("0" in column 1), a trailer ("9" in column 1) or a line
// whose columns 2-51, trimmed and upper-cased, equal `expectedName`.
bool isSkipped(std::string_view line, std::string_view expectedName);

// `value` followed by spaces up to `width`; a longer value is never cut.
std::string writeField(const std::string& value, size_t width);

// The header record: "0", the name in 50 columns, the centre code in 8 and
// the timestamp (12 characters written into the 8-wide field, in full).
std::string headerRecord(const std::string& fileName, const std::string& centre,
                         const std::string& timestamp);

// The trailer record: as the header with "9", then the data record count.
std::string trailerRecord(const std::string& fileName, const std::string& centre,
                          const std::string& timestamp, size_t dataRecords);

// Saves the lines at once, each followed by CR LF, replacing any earlier
// file atomically. Throws Error "Cannot create file ..." when it cannot.
void writeTebaFile(const std::string& path, const std::vector<std::string>& lines);

}  // namespace tht
