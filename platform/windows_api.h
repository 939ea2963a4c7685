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

// How long an operation refused by a short-lived opener is retried, and the
// pause between tries.
constexpr DWORD kRetryMilliseconds = 1000;
constexpr DWORD kRetryPause = 20;

// Runs `attempt` (true on success) until it succeeds, fails for a reason
// other than a short-lived opener, or the time is up. 0, or the last error.
template <class Attempt>
DWORD retryingWhileHeld(Attempt attempt) {
  const DWORD start = ::GetTickCount();
  for (;;) {
    if (attempt()) return 0;
    const DWORD error = ::GetLastError();
    if (!heldForAMoment(error) || ::GetTickCount() - start >= kRetryMilliseconds) return error;
    ::Sleep(kRetryPause);
  }
}

}  // namespace tht
