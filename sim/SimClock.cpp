// The clock behind GetTickCount. The plug-in's keyboard callback reads it wherever keys arrive,
// so it is atomic rather than part of the turn-owned world record.
#include <atomic>

#include "SimState.h"

namespace {

std::atomic<std::uint32_t> gClock{0};

}  // namespace

extern "C" DWORD GetTickCount() { return gClock.load(); }

namespace sim {

void detail::ResetClock() { gClock.store(0); }

void SetTime(std::uint32_t milliseconds) { gClock.store(milliseconds); }

// Wraps modulo 2^32, like the real tick count.
void AdvanceTime(std::uint32_t milliseconds) { gClock.fetch_add(milliseconds); }

std::uint32_t Time() { return gClock.load(); }

}  // namespace sim
