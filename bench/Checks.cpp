// bench --check: the figures of the benchmark that are exact, asserted for ctest. Timings are
// never asserted here.
#include <cstdint>
#include <iostream>
#include <string>

#include "Benchmarks.h"
#include "Crowd.h"
#include "SimHook.h"
#include "hook/NativeHashes.h"
#include "hook/ScriptHook.h"
#include "input/KeyStateTable.h"
#include "melee/ScriptLoop.h"
#include "settings/Settings.h"
#include "settings/SettingsFile.h"

namespace bench {
namespace {

int gFailures = 0;

void Expect(bool holds, const std::string& what, std::uint64_t actual, std::uint64_t expected) {
  std::cout << (holds ? "ok      " : "FAILED  ") << what << ": " << actual;
  if (!holds) std::cout << ", expected " << expected;
  std::cout << '\n';
  if (!holds) ++gFailures;
}

// Every trigger fires: the five bound keys were released just now and the special-ability action
// was just pressed on a controller, so six actions start against the nearest ped.
void MakeEveryTriggerFire() {
  keyboardHandlerRegister(scuffler::RecordKeyMessage);
  sim::SetAnswer(scuffler::hash::kIsUsingKeyboardAndMouse, 0);
  sim::SetAnswer(scuffler::hash::kIsControlJustPressed, 1);
  for (const std::uint32_t key : {71u, 38u, 40u, 39u, 37u}) sim::TapKey(key);
}

}  // namespace

int RunChecks(const ScratchDirectories& directories) {
  directories.EnterWithoutIni();
  for (const int peds : {0, 64, 1024}) {
    BuildCrowd(peds);
    const TickCost tick = Measure(scuffler::RunTick);
    const std::string crowd = " (" + std::to_string(peds) + " peds, no Scuffler.ini)";
    Expect(tick.natives == ExpectedNativesPerTick(peds), "native calls per tick" + crowd,
           tick.natives, ExpectedNativesPerTick(peds));
    Expect(tick.allocations == 0, "allocations per tick" + crowd, tick.allocations, 0);
  }

  directories.EnterWithDefaultIni();
  BuildCrowd(64);
  scuffler::LoadSettings();
  MakeEveryTriggerFire();
  const TickCost busy = Measure(TickWithoutSettings);
  const std::uint64_t started = sim::TakeActions().size();
  Expect(started == 6, "actions started with every trigger firing", started, 6);
  Expect(busy.allocations == 0,
         "allocations per tick apart from LoadSettings, every trigger firing", busy.allocations, 0);

  // Reported only: the counts depend on the standard library.
  scuffler::Clear(scuffler::SettingsDocument);
  std::cout << "info    allocations in LoadSettings with dist/Scuffler.ini, read into an empty "
               "document: "
            << Measure(scuffler::LoadSettings).allocations << '\n';
  std::cout << "info    allocations in LoadSettings with dist/Scuffler.ini, unchanged since the "
               "last tick: "
            << Measure(scuffler::LoadSettings).allocations << '\n';
  return gFailures;
}

}  // namespace bench
