// A file read and written at given offsets, opened with a sharing that
// says which other openers may hold it meanwhile: the table files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/system_error.h"

namespace tht {

class RandomAccessFile {
 public:
  enum class Access {
    SharedReadWrite,  // read and write; other shared openers may read and write too
    Exclusive,        // read and write; no other opener at all
    SharedReadOnly,   // read only; other shared openers may read and write
  };

  RandomAccessFile() = default;
  ~RandomAccessFile();
  RandomAccessFile(const RandomAccessFile&) = delete;
  RandomAccessFile& operator=(const RandomAccessFile&) = delete;

  // Opens an existing file. Kind Missing when it (or a folder on its way) is
  // not there or is no regular file; Busy when another opener (this process
  // or another) holds it in a way `access` does not allow. Windows:
  // CreateFileA with share mode FILE_SHARE_READ | FILE_SHARE_WRITE, or 0 for
  // Exclusive. Linux: an advisory lock (shared, or exclusive for Exclusive)
  // taken without waiting, LockFailed when it cannot be taken for another
  // reason; the open does not wait for a pipe in the file's place. A file
  // already open is closed first.
  SystemError open(const std::string& path, Access access);
  bool isOpen() const;
  // Closes (and so releases the sharing); nothing when not open.
  void close();

  // Reads up to `count` bytes at `offset` into `data`; `got` is fewer only at
  // the end of the file.
  SystemError readAt(uint64_t offset, char* data, size_t count, size_t& got) const;
  // Writes all `count` bytes at `offset`.
  SystemError writeAt(uint64_t offset, const char* data, size_t count);
  SystemError size(uint64_t& bytes) const;
  // Waits until what was written is on the disk (fsync, FlushFileBuffers).
  SystemError flushToDisk();

 private:
  intptr_t handle_ = -1;  // a descriptor, or a HANDLE; -1 when closed
};

// True when another opener (this process or another) holds the existing file
// at `path`, so that replacing it would disturb it: on Linux any advisory
// lock; on Windows any opener at all, still there after about a second.
bool heldByOtherOpeners(const std::string& path);

}  // namespace tht
