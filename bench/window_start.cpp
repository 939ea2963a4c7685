// The Windows window program's start: from CreateProcessA until its window
// is visible, for several runs; prints each run's milliseconds and their
// median. Runs under Wine from bench/run:
//
//   tht-bench-window.exe PATH\TransHoraventTEBA.exe RUNS
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Search {
  DWORD process;
  HWND found;
};

BOOL CALLBACK matchForm(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<Search*>(data);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  char name[64] = "";
  GetClassNameA(window, name, sizeof name);
  if (process == search.process && IsWindowVisible(window) && std::string(name) == "TMForm") {
    search.found = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: tht-bench-window PROGRAM RUNS\n");
    return 2;
  }
  const int runs = std::max(1, std::atoi(argv[2]));
  // A window of its own, as the host has: the program then shares the
  // host's desktop and its messages are pumped while it waits.
  CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  std::vector<double> times;
  for (int run = 0; run < runs; ++run) {
    std::string line = std::string("\"") + argv[1] + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    LARGE_INTEGER start, now;
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
      std::fprintf(stderr, "cannot start %s: error %lu\n", argv[1], GetLastError());
      return 1;
    }
    Search search{process.dwProcessId, nullptr};
    for (;;) {
      EnumWindows(matchForm, reinterpret_cast<LPARAM>(&search));
      QueryPerformanceCounter(&now);
      if (search.found || now.QuadPart - start.QuadPart > 120 * frequency.QuadPart) break;
      MSG message;
      while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
      Sleep(1);
    }
    times.push_back(1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / frequency.QuadPart);
    if (search.found) PostMessageA(search.found, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 10000) == WAIT_TIMEOUT) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    if (!search.found) {
      std::fprintf(stderr, "no window within 120 s\n");
      return 1;
    }
    std::printf("%.1f\n", times.back());
  }
  std::sort(times.begin(), times.end());
  std::printf("median %.1f\n", times[times.size() / 2]);
  return 0;
}
