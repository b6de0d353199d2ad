// Shared fixture for tests that drive plug-in code against the simulated script hook: a clean
// world, clean plug-in state, and a compact way to write down expected native sequences.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <vector>

#include "SimHook.h"

namespace scuffler::testing {

// One native call as the hook saw it: hash and pushed slots.
struct NativeCall {
  std::uint64_t hash;
  std::vector<std::uint64_t> args;
  bool operator==(const NativeCall& other) const {
    return hash == other.hash && args == other.args;
  }
};
std::ostream& operator<<(std::ostream& out, const NativeCall& call);

using NativeSequence = std::vector<NativeCall>;

// The 64-bit slot of a float argument.
std::uint64_t FloatSlot(float value);

// Expected calls of one eligibility run of `ped` that stops after `passingSteps` checks passed
// (11 passing steps: the whole chain).
NativeSequence EligibilityCalls(std::int32_t ped, int passingSteps = 11);
// Expected calls of one readiness run that stops after `passingSteps` of its four checks passed.
NativeSequence ReadinessCalls(std::int32_t player, int passingSteps = 4);

NativeSequence operator+(NativeSequence a, const NativeSequence& b);

// The native calls recorded since the last Take, in order; other operations are left out.
NativeSequence TakeNativeCalls();

// An empty simulated world with no script or callback registered, and the plug-in's process-wide
// state (settings, tick state, key table) as at module load.
void ResetWorldAndPlugIn();

class WorldTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Registers the plug-in's keyboard callback so that sim::SendKey reaches the key table.
  static void ListenToKeyboard();
};

}  // namespace scuffler::testing
