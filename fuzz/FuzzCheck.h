#pragma once
// A property a fuzz target promises. A violation aborts, which libFuzzer reports as
// a crash and keeps the input; the message names the property that broke.
#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition) ((condition) ? void() : ::fuzz::violated(#condition, __FILE__, __LINE__))

namespace fuzz {

[[noreturn]] inline void violated(const char* condition, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: fuzz check failed: %s\n", file, line, condition);
  std::abort();
}

}  // namespace fuzz
