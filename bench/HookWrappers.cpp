// Link-time wrappers around the simulated hook's operations that allocate (the linker sends the
// plug-in's calls of X to __wrap_X, see CMakeLists.txt), so that the hook's own bookkeeping is
// not counted as the plug-in's allocations. Each one forwards unchanged.
#include <cstdint>

#include "AllocationCounter.h"

extern "C" {

void __real_nativeInit(std::uint64_t hash);
void __real_nativePush64(std::uint64_t value);
std::uint64_t* __real_nativeCall();
int __real_worldGetAllPeds(int* peds, int capacity);

void __wrap_nativeInit(std::uint64_t hash) {
  const bench::UncountedScope hook;
  __real_nativeInit(hash);
}

void __wrap_nativePush64(std::uint64_t value) {
  const bench::UncountedScope hook;
  __real_nativePush64(value);
}

std::uint64_t* __wrap_nativeCall() {
  const bench::UncountedScope hook;
  return __real_nativeCall();
}

int __wrap_worldGetAllPeds(int* peds, int capacity) {
  const bench::UncountedScope hook;
  return __real_worldGetAllPeds(peds, capacity);
}

}  // extern "C"
