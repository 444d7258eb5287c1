#pragma once
// The plan's memory: the peak resident size of a process that only plans, at
// 10,000 and 100,000 files, against one that plans an empty folder.
#include <filesystem>

namespace bench::importrun {

// The child's side: plans one run, prints the number of files, how many would be
// filed, the seconds and its own peak resident size in KiB. Returns the exit status.
int planOnly(const char* catalogue, const char* source, const char* destination);

// Makes the trees (small files, in memory where the machine has /dev/shm), plans
// each in a child process running `self` and reports. The 100,000-file step can be
// left out.
void benchPlanMemory(const std::filesystem::path& self, bool withHundredThousand);

}  // namespace bench::importrun
