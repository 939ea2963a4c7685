#include "tables/dbf_layout.h"

#include "platform/error.h"
#include "platform/names.h"

namespace tht::tables {
namespace {

constexpr unsigned char kFieldTerminator = 0x0D;
constexpr unsigned char kLanguageDriver1252 = 0x57;  // ANSI, code page 1252

uint32_t little16(const std::string& bytes, size_t at) {
  return static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8;
}

uint32_t little32(const std::string& bytes, size_t at) {
  return little16(bytes, at) | little16(bytes, at + 2) << 16;
}

void putLittle(std::string& bytes, size_t at, uint32_t value, int count) {
  for (int i = 0; i < count; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

[[noreturn]] void corrupt(const std::string& path) {
  throw Error(engineMessage("Corrupt table/index header.", path));
}

// dBase 7 files (version level 4) have a 68-byte fixed part and 48-byte
// field descriptors; dBase III and IV ones 32 and 32.
bool isLevel7(uint8_t version) { return (version & 0x07) == 4; }

}  // namespace

std::string engineMessage(const std::string& text, const std::string& path) {
  return text + "\nTable: " + shownName(path);
}

uint32_t storedHeaderLength(const std::string& firstBytes) {
  return firstBytes.size() < kFixedHeaderSize ? 0 : little16(firstBytes, 8);
}

DbfLayout parseLayout(const std::string& header, uint64_t fileSize, const std::string& path) {
  if (header.size() < kFixedHeaderSize) corrupt(path);
  DbfLayout layout;
  layout.version = static_cast<uint8_t>(header[0]);
  layout.recordCount = little32(header, 4);
  layout.headerLength = little16(header, 8);
  layout.recordLength = little16(header, 10);
  if (layout.headerLength > fileSize || layout.headerLength > header.size()) corrupt(path);
  if (layout.recordLength < 1) corrupt(path);

  const bool level7 = isLevel7(layout.version);
  const size_t descriptorSize = level7 ? 48 : 32;
  const size_t nameSize = level7 ? 32 : 11;
  size_t at = level7 ? 68 : 32;
  uint64_t offset = 1;  // after the deletion flag
  while (true) {
    if (at >= layout.headerLength) corrupt(path);  // no terminator
    if (static_cast<unsigned char>(header[at]) == kFieldTerminator) break;
    if (at + descriptorSize > layout.headerLength) corrupt(path);
    Column column;
    const std::string rawName = header.substr(at, nameSize);
    column.name = rawName.substr(0, rawName.find('\0'));
    column.type = header[at + nameSize];
    const size_t sizes = level7 ? at + 33 : at + 16;
    column.width = static_cast<unsigned char>(header[sizes]);
    column.decimals = static_cast<unsigned char>(header[sizes + 1]);
    column.dbase7 = level7;
    if (column.width == 0 || column.name.empty()) corrupt(path);
    column.offset = static_cast<uint32_t>(offset);
    offset += column.width;
    if (offset > layout.recordLength) corrupt(path);
    layout.columns.push_back(column);
    at += descriptorSize;
  }
  if (layout.columns.empty()) corrupt(path);
  const uint64_t rowBytes = static_cast<uint64_t>(layout.recordCount) * layout.recordLength;
  if (layout.headerLength + rowBytes > fileSize) corrupt(path);  // cut or lying count
  return layout;
}

void computeLayout(DbfLayout& layout) {
  uint32_t offset = 1;
  for (Column& column : layout.columns) {
    column.offset = offset;
    offset += column.width;
  }
  layout.recordLength = offset;
  layout.headerLength = static_cast<uint32_t>(32 + 32 * layout.columns.size() + 1);
}

void stampHeader(std::string& header, uint32_t recordCount, int year, int month, int day) {
  header[1] = static_cast<char>(year - 1900);
  header[2] = static_cast<char>(month);
  header[3] = static_cast<char>(day);
  putLittle(header, 4, recordCount, 4);
}

std::string encodeHeader(const DbfLayout& layout, int year, int month, int day) {
  std::string header(layout.headerLength, '\0');
  header[0] = 0x03;
  stampHeader(header, layout.recordCount, year, month, day);
  putLittle(header, 8, layout.headerLength, 2);
  putLittle(header, 10, layout.recordLength, 2);
  header[29] = static_cast<char>(kLanguageDriver1252);
  size_t at = 32;
  for (const Column& column : layout.columns) {
    header.replace(at, column.name.size(), column.name);
    header[at + 11] = column.type;
    header[at + 16] = static_cast<char>(column.width);
    header[at + 17] = static_cast<char>(column.decimals);
    at += 32;
  }
  header[at] = static_cast<char>(kFieldTerminator);
  return header;
}

}  // namespace tht::tables
