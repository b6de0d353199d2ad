// Hosts the registered script on a Win32 fiber, as the game's script hook does: the host thread
// becomes a fiber itself, each tick switches to the script, and each scriptWait switches back.
// Both run on the host thread, one at a time, so the world and the log need no lock.
//
// Stopping deletes the script's fiber where it is parked, as the hook does on unregistering a
// script: nothing on its stack is unwound. The plug-in keeps nothing there across a scriptWait,
// and unwinding would mean throwing through the plug-in's frames from another module, at the
// unregister call made inside its DllMain.
#include <exception>
#include <utility>

#include "SimState.h"

namespace {

struct ScriptHost {
  void* hostFiber = nullptr;  // the host thread, made a fiber by the first tick
  void* scriptFiber = nullptr;
  ScriptEntryFn entry = nullptr;  // what the current fiber runs
  bool onScript = false;          // the script's turn: code runs on its fiber
  bool parked = false;            // waiting in scriptWait for the next tick
  bool ended = false;             // returned or threw by itself; not restarted until stopped
  std::exception_ptr failure;
};

ScriptHost gHost;

void CALLBACK RunScript(void* /*unused*/) {
  try {
    gHost.entry();
  } catch (...) {
    // Anything the script lets out belongs to the host: it is rethrown from RunScriptTicks.
    gHost.failure = std::current_exception();
  }
  gHost.ended = true;
  gHost.parked = false;
  gHost.onScript = false;
  // A fiber must never return from its start routine: that would end the host thread.
  for (;;) SwitchToFiber(gHost.hostFiber);
}

}  // namespace

extern "C" void scriptWait(DWORD milliseconds) {
  sim::detail::RecordOperation(sim::Op::ScriptWait, {milliseconds});
  // Outside the hosted script there is nobody to yield to.
  if (!gHost.onScript) return;
  gHost.parked = true;
  gHost.onScript = false;
  SwitchToFiber(gHost.hostFiber);
  gHost.onScript = true;
  gHost.parked = false;
}

namespace sim {

bool RunScriptTicks(int ticks) {
  const ScriptEntryFn entry = detail::TheState().entry;
  if (entry == nullptr || gHost.onScript) return false;
  // The host thread must not be a fiber of its own making: the hook owns the thread's fibers.
  if (gHost.hostFiber == nullptr) gHost.hostFiber = ConvertThreadToFiber(nullptr);
  if (gHost.hostFiber == nullptr) return false;
  for (int tick = 0; tick < ticks && !gHost.ended; ++tick) {
    if (gHost.scriptFiber == nullptr) {
      gHost.entry = entry;
      gHost.scriptFiber = CreateFiber(0, &RunScript, nullptr);
    }
    gHost.onScript = true;
    SwitchToFiber(gHost.scriptFiber);
  }
  if (!gHost.ended) return true;
  if (gHost.failure) std::rethrow_exception(std::exchange(gHost.failure, nullptr));
  return false;
}

void StopScript() {
  if (gHost.onScript) return;  // a fiber cannot delete itself
  if (gHost.scriptFiber != nullptr) DeleteFiber(gHost.scriptFiber);
  gHost.scriptFiber = nullptr;
  gHost.entry = nullptr;
  gHost.parked = false;
  gHost.ended = false;
  gHost.failure = nullptr;
}

bool ScriptRunning() { return gHost.parked; }

}  // namespace sim
