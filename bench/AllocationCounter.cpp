// The replaced global operator new and delete. Only the plain forms are replaced: libstdc++'s
// array, nothrow and sized forms all end up in these two.
#include "AllocationCounter.h"

#include <cstdlib>
#include <new>

namespace bench {
namespace {

// Per thread, so that counting costs no atomic operation: the benchmark times code that
// allocates, and an atomic add on each allocation would weigh on those timings.
thread_local std::uint64_t tAllocations = 0;
thread_local int tUncountedDepth = 0;

}  // namespace

std::uint64_t AllocationCount() { return tAllocations; }

UncountedScope::UncountedScope() { ++tUncountedDepth; }
UncountedScope::~UncountedScope() { --tUncountedDepth; }

}  // namespace bench

void* operator new(std::size_t size) {
  if (bench::tUncountedDepth == 0) ++bench::tAllocations;
  // malloc(0) may return null; operator new must not.
  if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
  throw std::bad_alloc();
}

void operator delete(void* block) noexcept { std::free(block); }

void operator delete(void* block, std::size_t /*size*/) noexcept { std::free(block); }
