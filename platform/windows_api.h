// <windows.h> as the platform layer's Windows files include it: only inside
// platform/ and the front ends.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdint>

namespace tht {

inline HANDLE handleOf(intptr_t stored) { return reinterpret_cast<HANDLE>(stored); }
inline intptr_t storedHandle(HANDLE handle) { return reinterpret_cast<intptr_t>(handle); }

// A sharing violation, a lock violation or a denied access: what a move or a
// deletion meets while another program (a virus scanner, an indexer, the
// host reading the old file) holds the file for a moment.
inline bool heldForAMoment(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED;
}

}  // namespace tht
