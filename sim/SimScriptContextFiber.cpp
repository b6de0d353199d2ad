// The script's context on Windows: a fiber, as the game's script hook uses.
#include "SimScriptContext.h"
#include "SimState.h"

namespace {

void* gReturnFiber = nullptr;  // the fiber that last switched to the script: where it goes back
void* gScriptFiber = nullptr;
void (*gRun)() = nullptr;

void CALLBACK StartScript(void* /*unused*/) { gRun(); }

// GCC takes GetCurrentFiber's read of the thread block, at gs:0x20, for an access past an array.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
void* CurrentFiber() { return GetCurrentFiber(); }
#pragma GCC diagnostic pop

}  // namespace

namespace sim::detail {

bool CreateScriptContext(void (*run)()) {
  // Only a fiber switches to a fiber. A thread that is not one yet is made one, and stays one:
  // the hook owns its fibers from then on. A thread that is one already (the game's may be) is
  // used as it is; converting it again would fail.
  if (!IsThreadAFiber() && ConvertThreadToFiber(nullptr) == nullptr) return false;
  gRun = run;
  gScriptFiber = CreateFiber(0, &StartScript, nullptr);
  return gScriptFiber != nullptr;
}

// The host is whichever fiber runs the tick, on whichever thread: the script goes back there.
void SwitchToScript() {
  gReturnFiber = CurrentFiber();
  SwitchToFiber(gScriptFiber);
}

void SwitchToHost() { SwitchToFiber(gReturnFiber); }

void DeleteScriptContext() {
  DeleteFiber(gScriptFiber);
  gScriptFiber = nullptr;
}

}  // namespace sim::detail
