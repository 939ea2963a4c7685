// A file opened to be read from start to end, which other programs may read
// meanwhile but not write.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/system_error.h"

namespace tht {

class InputFile {
 public:
  InputFile() = default;
  ~InputFile();
  InputFile(InputFile&& other) noexcept;
  InputFile& operator=(InputFile&& other) noexcept;
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  // Opens `path` for reading, readers only sharing it. Windows:
  // CreateFileA(GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING), so a file
  // another program holds open for writing fails with 32; anything that is
  // no disk file fails with 5. Linux: a shared advisory lock taken without
  // waiting (EWOULDBLOCK, 32, when another program holds it exclusively),
  // the open not waiting either, so that a pipe in the file's place cannot
  // hold the run up; a folder fails with EISDIR, anything else that is no
  // regular file with EACCES (both 5). A file already open is closed first.
  SystemError open(const std::string& path);
  bool isOpen() const;
  // Closes (and so releases the sharing); nothing when not open.
  void close();

  // Reads the next bytes, up to `count`, into `data`; `got` is how many came,
  // 0 only at the end of the file.
  SystemError read(char* data, size_t count, size_t& got);
  // The file's size in bytes.
  SystemError size(uint64_t& bytes) const;

 private:
  intptr_t handle_ = -1;  // a descriptor, or a HANDLE; -1 when closed
};

}  // namespace tht
