// Counts the heap allocations the plug-in makes, through a replacement of the global operator new
// in the benchmark program.
//
// The simulated script hook allocates for its own call log on every native call; those are not
// the plug-in's. The hook's operations are wrapped at link time (HookWrappers.cpp) so that
// nothing allocated while one of them runs is counted.
#pragma once

#include <cstdint>

namespace bench {

// Allocations counted on the calling thread since it started; take the difference around the
// code measured.
std::uint64_t AllocationCount();

// While one is alive on a thread, that thread's allocations are not counted.
class UncountedScope {
 public:
  UncountedScope();
  ~UncountedScope();
  UncountedScope(const UncountedScope&) = delete;
  UncountedScope& operator=(const UncountedScope&) = delete;
};

}  // namespace bench
