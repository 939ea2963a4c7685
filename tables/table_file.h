// One open table file: its sharing, and positioned reads and writes. Errors
// are engine texts naming the table's path.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/random_access_file.h"

namespace tht::tables {

class TableFile {
 public:
  enum class Lock { Shared, Exclusive };

  // Opens `path` for reading, or reading and writing, with the sharing of
  // `lock`, taken without waiting: another opener (this process or another)
  // holding it in a way that sharing does not allow makes it "Table is
  // busy.".
  TableFile(const std::string& path, bool writable, Lock lock);
  TableFile(const TableFile&) = delete;
  TableFile& operator=(const TableFile&) = delete;

  const std::string& path() const { return path_; }
  uint64_t size() const;
  // Reads up to `count` bytes at `offset`; fewer only at the end of the file.
  std::string readAt(uint64_t offset, size_t count) const;
  void writeAt(uint64_t offset, std::string_view bytes);
  // Puts every byte written so far on the disk, when anything was written
  // since the file was opened or last flushed.
  void flushToDisk();

 private:
  std::string path_;
  RandomAccessFile file_;
  bool unflushed_ = false;  // written since opened or last flushed
};

// True when another opener holds the file at `path` (which exists) so that
// replacing it would disturb it.
bool isLockedByOthers(const std::string& path);

}  // namespace tht::tables
