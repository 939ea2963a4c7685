// tht-bench-report: the consistency report in one process, as a window
// would make it: how long the checks take, how long its text takes, and how
// many lines it has (bench/run drives it on a generated district).
//
//   tht-bench-report TEBA_FOLDER WORK_FOLDER RUNS  ->  "<check s> <text s> <lines>" (the fastest run)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "report/report.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: tht-bench-report TEBA_FOLDER WORK_FOLDER RUNS\n");
    return 64;
  }
  using Clock = std::chrono::steady_clock;
  const auto seconds = [](Clock::duration d) { return std::chrono::duration<double>(d).count(); };
  double check = 1e9, text = 1e9;
  size_t lines = 0;
  for (int run = 0; run < std::max(1, std::atoi(argv[3])); ++run) {
    const Clock::time_point start = Clock::now();
    const tht::report::Result result = tht::report::check(argv[1], argv[2]);
    const Clock::time_point checked = Clock::now();
    const std::string all = tht::report::text(result);
    const Clock::time_point written = Clock::now();
    check = std::min(check, seconds(checked - start));
    text = std::min(text, seconds(written - checked));
    lines = static_cast<size_t>(std::count(all.begin(), all.end(), '\n'));
  }
  std::printf("%.3f %.4f %zu\n", check, text, lines);
  return 0;
}
