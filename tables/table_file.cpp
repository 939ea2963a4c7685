#include "tables/table_file.h"

#include "platform/error.h"
#include "platform/system_error.h"
#include "tables/dbf_layout.h"

namespace tht::tables {
namespace {

[[noreturn]] void failed(const std::string& what, const SystemError& error, const std::string& path) {
  throw Error(engineMessage(what + " " + error.text + ".", path));
}

RandomAccessFile::Access accessFor(bool writable, TableFile::Lock lock) {
  if (lock == TableFile::Lock::Exclusive) return RandomAccessFile::Access::Exclusive;
  return writable ? RandomAccessFile::Access::SharedReadWrite : RandomAccessFile::Access::SharedReadOnly;
}

}  // namespace

TableFile::TableFile(const std::string& path, bool writable, Lock lock) : path_(path) {
  const SystemError error = file_.open(path, accessFor(writable, lock));
  switch (error.kind) {
    case SystemError::Kind::None: return;
    case SystemError::Kind::Missing: throw Error(engineMessage("Table does not exist.", path));
    case SystemError::Kind::Busy: throw Error(engineMessage("Table is busy.", path));
    case SystemError::Kind::LockFailed: failed("Cannot lock table.", error, path);
    case SystemError::Kind::Other: failed("Cannot open table.", error, path);
  }
  failed("Cannot open table.", error, path);
}

uint64_t TableFile::size() const {
  uint64_t bytes = 0;
  if (const SystemError error = file_.size(bytes)) failed("Cannot read table.", error, path_);
  return bytes;
}

std::string TableFile::readAt(uint64_t offset, size_t count) const {
  std::string bytes(count, '\0');
  size_t got = 0;
  if (const SystemError error = file_.readAt(offset, bytes.data(), count, got)) failed("Cannot read table.", error, path_);
  bytes.resize(got);
  return bytes;
}

void TableFile::writeAt(uint64_t offset, std::string_view bytes) {
  unflushed_ = true;
  if (const SystemError error = file_.writeAt(offset, bytes.data(), bytes.size()))
    failed("Cannot write to table.", error, path_);
}

void TableFile::flushToDisk() {
  if (!unflushed_) return;
  if (const SystemError error = file_.flushToDisk()) failed("Cannot write to table.", error, path_);
  unflushed_ = false;
}

bool isLockedByOthers(const std::string& path) { return heldByOtherOpeners(path); }

}  // namespace tht::tables
