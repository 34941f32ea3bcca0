#pragma once
// The process's peak resident memory so far, for tests that bound what a large load costs.
#include <sys/resource.h>

inline long PeakMegabytes() {
  rusage U{};
  getrusage(RUSAGE_SELF, &U);
  return U.ru_maxrss / 1024;
}
