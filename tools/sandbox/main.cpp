// A short session of the real plug-in code against the simulated script hook: the player, a few
// peds around, and key presses at given ticks. Prints every melee action started, by name.
#include <cstdio>

#include "SimHook.h"
#include "melee/TickState.h"
#include "plugin/DllMain.h"

namespace {

struct KeyPress {
  int tick;
  unsigned key;
  const char* label;
};

void PrintNewActions(int tick) {
  for (const sim::StartedAction& action : sim::TakeActions()) {
    std::printf("tick %3d  started %s against ped %d\n", tick,
                sim::ActionName(action.actionHash).c_str(), action.target);
  }
}

}  // namespace

int main() {
  sim::SetPlayer(1, {0, 0, 0});
  sim::AddPed(10, {3, 4, 0});   // 5 units away
  sim::AddPed(11, {1, 1, 0});   // nearest, but cannot be fought
  sim::SetPedAnswer(11, 0x7D5B1F88E7504BBA, 1);
  sim::AddPed(12, {30, 0, 0});  // beyond the search radius
  sim::AddPed(13, {0, 20, 0}, false);
  sim::SetEngaged(13);

  const HINSTANCE module = reinterpret_cast<HINSTANCE>(static_cast<std::uintptr_t>(0x10000));
  DllMain(module, 1, nullptr);
  const KeyPress presses[] = {{2, 71, "G"}, {4, 38, "Up"}, {6, 40, "Down"}, {8, 39, "Right"},
                              {10, 37, "Left"}};
  for (int tick = 1; tick <= 12; ++tick) {
    for (const KeyPress& press : presses) {
      if (press.tick == tick) {
        std::printf("tick %3d  key %s released\n", tick, press.label);
        sim::TapKey(press.key);
      }
    }
    sim::AdvanceTime(16);
    sim::RunScriptTicks(1);
    PrintNewActions(tick);
  }
  DllMain(module, 0, nullptr);
  return 0;
}
