// tht-hold-file: another process holding a file open, for the Windows tests.
//
//   tht-hold-file PATH ACCESS SHARE MILLISECONDS READY
//
// Opens the existing file PATH with ACCESS ("r", "w" or "rw") and the share
// mode SHARE (any of "r", "w", "d" for readers, writers, deleters; "-" for
// none), creates the file READY once it holds PATH, keeps it open for
// MILLISECONDS and exits with 0. Exits with 2 and the system's error code on
// standard error when PATH cannot be opened, with 64 on a wrong call.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
  if (argc != 6) {
    std::fprintf(stderr, "usage: tht-hold-file PATH ACCESS SHARE MILLISECONDS READY\n");
    return 64;
  }
  DWORD access = 0;
  if (std::strchr(argv[2], 'r')) access |= GENERIC_READ;
  if (std::strchr(argv[2], 'w')) access |= GENERIC_WRITE;
  DWORD share = 0;
  if (std::strchr(argv[3], 'r')) share |= FILE_SHARE_READ;
  if (std::strchr(argv[3], 'w')) share |= FILE_SHARE_WRITE;
  if (std::strchr(argv[3], 'd')) share |= FILE_SHARE_DELETE;
  const DWORD milliseconds = static_cast<DWORD>(std::strtoul(argv[4], nullptr, 10));

  const HANDLE held = CreateFileA(argv[1], access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (held == INVALID_HANDLE_VALUE) {
    std::fprintf(stderr, "cannot open %s: error %lu\n", argv[1], GetLastError());
    return 2;
  }
  const HANDLE ready = CreateFileA(argv[5], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (ready == INVALID_HANDLE_VALUE) {
    std::fprintf(stderr, "cannot create %s: error %lu\n", argv[5], GetLastError());
    return 2;
  }
  CloseHandle(ready);
  Sleep(milliseconds);
  CloseHandle(held);
  return 0;
}
