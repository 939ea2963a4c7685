// The Windows window program's start under Wine, for several runs; prints
// each run's milliseconds and their median. Runs from bench/run:
//
//   tht-bench-window.exe PROGRAM RUNS
//       stand-alone: from CreateProcessA until its window is visible
//   tht-bench-window.exe PROGRAM RUNS WATCHER FOLDER
//       hosted in a window of this program, as Horavent starts it: from
//       CreateProcessA until the X server shows its export panel's pixels,
//       which WATCHER (tht-bench-pixel, a Linux program) sees; FOLDER is a
//       Unix folder for the program's copy, its "Horavent.ini" and the
//       watcher's files
//   tht-bench-window.exe PROGRAM RUNS --report FOLDER
//       stand-alone in FOLDER (a TEBA folder): from the press of "Comprobar"
//       (Alt+C) until its report window is visible with its text set
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/gradient.h"
#include "tests/support/host_window.h"

namespace {

struct Search {
  DWORD process;
  HWND found;
};

// The visible top-level window of the process with the class `Name`.
template <const char* Name>
BOOL CALLBACK matchClass(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<Search*>(data);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  char name[64] = "";
  GetClassNameA(window, name, sizeof name);
  if (process == search.process && IsWindowVisible(window) && std::string(name) == Name) {
    search.found = window;
    return FALSE;
  }
  return TRUE;
}
constexpr char kFormClass[] = "TMForm";
constexpr char kReportClass[] = "TReportForm";
const auto matchForm = matchClass<kFormClass>;

void pump() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

double milliseconds(const LARGE_INTEGER& from) {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(now.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

bool exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string windowsPathOf(const std::string& unixPath) {
  std::string path = "Z:" + unixPath;
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

bool start(std::string line, PROCESS_INFORMATION& process) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  process = {};
  if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return true;
  std::fprintf(stderr, "cannot start %s: error %lu\n", line.c_str(), GetLastError());
  return false;
}

void end(PROCESS_INFORMATION& process, HWND window) {
  if (window) PostMessageA(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.hProcess, 10000) == WAIT_TIMEOUT) TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
}

// The program's visible window, waiting up to 120 s.
HWND windowOf(const PROCESS_INFORMATION& process) {
  LARGE_INTEGER from;
  QueryPerformanceCounter(&from);
  Search search{process.dwProcessId, nullptr};
  while (!search.found && milliseconds(from) < 120000) {
    EnumWindows(matchForm, reinterpret_cast<LPARAM>(&search));
    pump();
    Sleep(1);
  }
  return search.found;
}

int standAlone(const std::string& program, int runs, std::vector<double>& times) {
  for (int run = 0; run < runs; ++run) {
    PROCESS_INFORMATION process;
    LARGE_INTEGER from;
    QueryPerformanceCounter(&from);
    if (!start("\"" + program + "\"", process)) return 1;
    const HWND window = windowOf(process);
    times.push_back(milliseconds(from));
    end(process, window);
    if (!window) {
      std::fprintf(stderr, "no window within 120 s\n");
      return 1;
    }
    std::printf("%.1f\n", times.back());
  }
  return 0;
}

// Stand-alone in `folder`: Alt+C posted to the window, then the report
// window awaited, visible, with text in its text box (set before it shows).
int reportWindow(const std::string& program, int runs, const std::string& folder, std::vector<double>& times) {
  for (int run = 0; run < runs; ++run) {
    PROCESS_INFORMATION process{};
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string line = "\"" + program + "\"";
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &process)) {
      std::fprintf(stderr, "cannot start %s in %s: error %lu\n", program.c_str(), folder.c_str(), GetLastError());
      return 1;
    }
    const HWND window = windowOf(process);
    WaitForInputIdle(process.hProcess, 10000);
    LARGE_INTEGER from;
    QueryPerformanceCounter(&from);
    PostMessageA(window, WM_SYSKEYDOWN, 'C', 1 << 29 | 1);
    PostMessageA(window, WM_SYSKEYUP, 'C', 1 << 29 | 0xC0000001);
    Search search{process.dwProcessId, nullptr};
    LRESULT length = 0;
    while (length == 0 && milliseconds(from) < 120000) {
      search.found = nullptr;
      EnumWindows(matchClass<kReportClass>, reinterpret_cast<LPARAM>(&search));
      if (search.found) length = SendMessageA(FindWindowExA(search.found, nullptr, "Edit", nullptr), WM_GETTEXTLENGTH, 0, 0);
      pump();
      Sleep(1);
    }
    times.push_back(milliseconds(from));
    if (search.found) PostMessageA(search.found, WM_CLOSE, 0, 0);
    end(process, window);
    if (length == 0) {
      std::fprintf(stderr, "no report window with text within 120 s\n");
      return 1;
    }
    std::fprintf(stderr, "%ld characters\n", static_cast<long>(length));
    std::printf("%.1f\n", times.back());
  }
  return 0;
}

int hosted(const std::string& program, int runs, const std::string& watcher, const std::string& folder,
           std::vector<double>& times) {
  // The program's copy in the folder: the hand-over's "Horavent.ini" goes there.
  const std::string copy = windowsPathOf(folder + "/TransHoraventTEBA.exe");
  if (!CopyFileA(program.c_str(), copy.c_str(), FALSE)) {
    std::fprintf(stderr, "cannot copy %s\n", program.c_str());
    return 1;
  }
  const HWND host = tht::test::openHostWindow();
  char handle[32];
  std::snprintf(handle, sizeof handle, "%lX", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(host)));
  const std::string line = "\"" + copy + "\" exportar " + handle;

  // A first run, not timed, finds the point to watch: a row of the export
  // panel's gradient beside its right edge, and that row's colour.
  PROCESS_INFORMATION process;
  if (!start(line, process)) return 1;
  const HWND first = windowOf(process);
  RECT client{}, band{};
  GetClientRect(first, &client);
  GetClientRect(GetDlgItem(first, 100), &band);  // the export panel
  end(process, first);
  if (!first || band.bottom < 8) {
    std::fprintf(stderr, "no hosted window with its export panel\n");
    return 1;
  }
  const int row = band.bottom / 4;
  const tht::app::Rgb colour = tht::app::gradientRows(band.bottom, tht::app::kRunPanelGradient)[row];
  POINT point{2 + client.right - 4, 2 + row};
  ClientToScreen(host, &point);
  char watch[64];
  std::snprintf(watch, sizeof watch, " %ld %ld %02X%02X%02X ", point.x, point.y, colour.red, colour.green,
                colour.blue);
  const std::string ready = windowsPathOf(folder + "/ready"), seen = windowsPathOf(folder + "/seen");

  for (int run = 0; run < runs; ++run) {
    DeleteFileA(ready.c_str());
    DeleteFileA(seen.c_str());
    // Wine starts a Linux program without a handle to wait on: its files tell.
    PROCESS_INFORMATION watching;
    if (!start(windowsPathOf(watcher) + watch + folder, watching)) return 1;
    LARGE_INTEGER from;
    QueryPerformanceCounter(&from);
    while (!exists(ready) && milliseconds(from) < 60000) {
      pump();
      Sleep(1);
    }
    if (!exists(ready)) {
      std::fprintf(stderr, "the pixel watcher did not start\n");
      return 1;
    }
    QueryPerformanceCounter(&from);
    if (!start(line, process)) return 1;
    while (!exists(seen) && milliseconds(from) < 60000) {
      pump();
      Sleep(1);
    }
    times.push_back(milliseconds(from));
    Search search{process.dwProcessId, nullptr};
    EnumWindows(matchForm, reinterpret_cast<LPARAM>(&search));
    end(process, search.found);
    if (!exists(seen)) {
      std::fprintf(stderr, "the hosted window's pixels not seen within 60 s\n");
      return 1;
    }
    std::printf("%.1f\n", times.back());
  }
  DestroyWindow(host);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 && argc != 5) {
    std::fprintf(stderr, "usage: tht-bench-window PROGRAM RUNS [WATCHER FOLDER | --report FOLDER]\n");
    return 2;
  }
  const int runs = std::max(1, std::atoi(argv[2]));
  std::vector<double> times;
  // A window of its own, as the host has: the program then shares the
  // host's desktop and its messages are pumped while it waits.
  CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
  const int status = argc == 3                              ? standAlone(argv[1], runs, times)
                     : std::string(argv[3]) == "--report" ? reportWindow(argv[1], runs, argv[4], times)
                                                          : hosted(argv[1], runs, argv[3], argv[4], times);
  if (status != 0) return status;
  std::sort(times.begin(), times.end());
  std::printf("median %.1f\n", times[times.size() / 2]);
  return 0;
}
