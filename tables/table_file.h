// One open table file: the descriptor, its lock and positioned reads and
// writes that go on after interruptions. Errors are engine texts naming the
// table's path.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tht::tables {

class TableFile {
 public:
  enum class Lock { Shared, Exclusive };

  // Opens `path` for reading, or reading and writing, and takes the lock
  // without waiting: a lock held the other way by another opener (this
  // process or another) makes it "Table is busy.".
  TableFile(const std::string& path, bool writable, Lock lock);
  ~TableFile();
  TableFile(const TableFile&) = delete;
  TableFile& operator=(const TableFile&) = delete;

  const std::string& path() const { return path_; }
  uint64_t size() const;
  // Reads up to `count` bytes at `offset`; fewer only at the end of the file.
  std::string readAt(uint64_t offset, size_t count) const;
  void writeAt(uint64_t offset, std::string_view bytes);

 private:
  std::string path_;
  int fd_ = -1;
};

// True when another opener holds a lock on the file at `path` (which exists).
bool isLockedByOthers(const std::string& path);

}  // namespace tht::tables
