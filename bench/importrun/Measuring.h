#pragma once
// Clocks, medians and the order of rounds shared by the import run's benchmarks.
#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include <sys/resource.h>

namespace bench::importrun {

using Clock = std::chrono::steady_clock;

inline double secondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// The processor time of this process, user and system: time spent waiting for the
// disk (ext4 discarding freed blocks, writing back) or for other programs is not in it.
inline double cpuSeconds() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// A timed run's clock time and processor time.
struct RunTime {
  double seconds = -1, cpuSeconds = 0;
};

// The clock and processor times of one kind of run, round by round.
struct Timings {
  std::vector<double> seconds, cpuSeconds;
  void add(const RunTime& run) {
    seconds.push_back(run.seconds);
    cpuSeconds.push_back(run.cpuSeconds);
  }
};

inline double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

inline void report(const char* what, std::size_t files, double seconds) {
  std::printf("%-44s %6zu files %8.3f s %9.0f files/s\n", what, files, seconds, files / seconds);
}

// Runs every measure once a round, the order reversed every other round, so that
// neither a slow spell of the shared machine nor a file system slowing as trees
// come and go falls on one side only. Each measure gets the round's number.
inline void inAlternatingOrder(int rounds, const std::vector<std::function<void(const std::string&)>>& measures) {
  for (int round = 0; round < rounds; ++round) {
    const std::string suffix = std::to_string(round);
    if (round % 2 == 0)
      for (const auto& measure : measures) measure(suffix);
    else
      for (auto measure = measures.rbegin(); measure != measures.rend(); ++measure) (*measure)(suffix);
  }
}

}  // namespace bench::importrun
