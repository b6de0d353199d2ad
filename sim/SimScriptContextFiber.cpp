// The script's context on Windows: a fiber, as the game's script hook uses.
#include "SimScriptContext.h"
#include "SimState.h"

namespace {

void* gHostFiber = nullptr;  // the host thread, made a fiber by the first script
void* gScriptFiber = nullptr;
void (*gRun)() = nullptr;

void CALLBACK StartScript(void* /*unused*/) { gRun(); }

}  // namespace

namespace sim::detail {

bool CreateScriptContext(void (*run)()) {
  // Once per thread, and never undone: the hook owns the thread's fibers from then on.
  if (gHostFiber == nullptr) gHostFiber = ConvertThreadToFiber(nullptr);
  if (gHostFiber == nullptr) return false;
  gRun = run;
  gScriptFiber = CreateFiber(0, &StartScript, nullptr);
  return gScriptFiber != nullptr;
}

void SwitchToScript() { SwitchToFiber(gScriptFiber); }

void SwitchToHost() { SwitchToFiber(gHostFiber); }

void DeleteScriptContext() {
  DeleteFiber(gScriptFiber);
  gScriptFiber = nullptr;
}

}  // namespace sim::detail
