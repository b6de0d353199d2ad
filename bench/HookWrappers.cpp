// Link-time wrappers (the linker sends the plug-in's calls of X to __wrap_X, see CMakeLists.txt),
// each forwarding unchanged: around the simulated hook's operations that allocate, so that the
// hook's own bookkeeping is not counted as the plug-in's allocations; and around the platform's
// file open, to count how often the plug-in opens the settings file.
#include <cstdint>
#include <cstring>

#include "AllocationCounter.h"
#include "Crowd.h"
#include "platform/PlatformFile.h"

namespace bench {
namespace {

std::uint64_t gSettingsFileOpens = 0;

}  // namespace

std::uint64_t SettingsFileOpens() { return gSettingsFileOpens; }

}  // namespace bench

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

// scuffler::OpenForReading(const char*), by its mangled name.
scuffler::PlatformFile __real__ZN8scuffler14OpenForReadingEPKc(const char* fileName);

scuffler::PlatformFile __wrap__ZN8scuffler14OpenForReadingEPKc(const char* fileName) {
  if (std::strcmp(fileName, "Scuffler.ini") == 0) ++bench::gSettingsFileOpens;
  return __real__ZN8scuffler14OpenForReadingEPKc(fileName);
}

}  // extern "C"
