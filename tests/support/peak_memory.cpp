// tht-peak-memory REPORT PROGRAM ARGS...: runs the program and writes its
// exit status and its largest resident set in KiB to the file REPORT
// ("<status> <KiB>", status -1 when a signal ended it). A process inherits the peak memory of the one
// it was forked from, so the tests, whose own memory grows, measure their
// children through this small launcher instead of directly.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: tht-peak-memory REPORT PROGRAM ARGS...\n");
    return 64;
  }
  const pid_t child = fork();
  if (child < 0) return 70;
  if (child == 0) {
    execv(argv[2], argv + 2);
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  if (wait4(child, &status, 0, &usage) != child) return 70;
  FILE* report = std::fopen(argv[1], "w");
  if (report == nullptr) return 73;
  std::fprintf(report, "%d %ld\n", WIFEXITED(status) ? WEXITSTATUS(status) : -1, usage.ru_maxrss);
  return std::fclose(report) == 0 ? 0 : 74;
}
