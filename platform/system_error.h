// A failed call into the operating system: the Windows-style code the
// program's messages use, and the system's own description of the cause.
#pragma once

#include <string>

namespace tht {

struct SystemError {
  // What the failure means to a caller that acts on it rather than only
  // reporting it.
  enum class Kind {
    None,        // no failure
    Missing,     // the file, or a folder on its way, is not there (or is no file)
    Busy,        // another opener holds the file in a way this open does not allow
    LockFailed,  // the file opened but its advisory lock could not be taken
                 // for another reason (systems with advisory locks only)
    Other,
  };

  Kind kind = Kind::None;
  // The Windows-style code: on Windows GetLastError() itself, elsewhere
  // windowsErrorCode() of the errno; 0 when there is no failure.
  int code = 0;
  // The system's description of the cause, in code page 1252 (see
  // systemErrorText).
  std::string text;

  explicit operator bool() const { return kind != Kind::None; }
};

// The failure of a native error number (errno on Linux, a GetLastError()
// value on Windows), of kind Other.
SystemError systemError(int native, SystemError::Kind kind = SystemError::Kind::Other);

// The Windows-style error code of a native error number. On Windows the
// number itself. On Linux the mapping of an errno: ENOENT 2, ENOTDIR/
// ENAMETOOLONG 3, EMFILE/ENFILE 4, EACCES/EPERM/EISDIR/EROFS 5,
// EAGAIN/EWOULDBLOCK/EBUSY (file held by another program) 32, ENOSPC 112,
// EIO 23; any other errno is passed through, except those equal to a code
// with a message of its own (3, 4, 100, 101, 106), which give 31.
int windowsErrorCode(int native);

// The system's description of a native error number, as text for messages
// (CP1252): strerror_r on Linux, FormatMessageA in the system's language on
// Windows (its final full stop and line end dropped).
std::string systemErrorText(int native);

}  // namespace tht
