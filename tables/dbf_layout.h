// The shape of a dBase file: its header, its field descriptors and where
// each field lies in a record. Parsing checks every length against the real
// size of the file, so a damaged or hostile header is an error and never an
// out-of-bounds read or an allocation sized by a number in the header.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tht::tables {

struct Column {
  std::string name;   // as stored, up to the first NUL
  char type = 'C';    // C, N, F, I, L, D, M, +, O, ...
  uint32_t offset = 0;  // in the record, after the deletion flag
  uint32_t width = 0;
  uint32_t decimals = 0;
  // dBase 7 stores I, + and O fields big-endian with the sign bit turned
  // so that bytes sort like values; other writers store them little-endian.
  bool dbase7 = false;
};

struct DbfLayout {
  uint8_t version = 0x03;
  uint32_t recordCount = 0;
  uint32_t headerLength = 0;
  uint32_t recordLength = 0;
  std::vector<Column> columns;
};

// Bytes of the header that parseLayout needs at least to learn the header's
// full length.
constexpr size_t kFixedHeaderSize = 32;

// The header length stored in the first 32 bytes (0 when fewer are given).
uint32_t storedHeaderLength(const std::string& firstBytes);

// Parses the whole header (`header` holds the file's first headerLength
// bytes, or all of them when the file is shorter) of a file of `fileSize`
// bytes. Reads dBase III, IV and 7 headers. Throws tht::Error with an engine
// text naming `path` when the header cannot be right.
DbfLayout parseLayout(const std::string& header, uint64_t fileSize, const std::string& path);

// The header and field descriptors, ended by 0x0D, of a dBase III+ file
// (version 0x03, code page 1252 language driver) with `recordCount` rows,
// dated `year`/`month`/`day`.
std::string encodeHeader(const DbfLayout& layout, int year, int month, int day);

// Fills offsets, the record length and the header length of a layout whose
// columns carry name, type, width and decimals.
void computeLayout(DbfLayout& layout);

// Updates the record count and date of an encoded header in place.
void stampHeader(std::string& header, uint32_t recordCount, int year, int month, int day);

// The engine texts of the errors the table files can meet: the text, a new
// line and "Table: " with the path as shown (platform/names.h).
std::string engineMessage(const std::string& text, const std::string& path);

}  // namespace tht::tables
