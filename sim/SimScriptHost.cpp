// Hosts the registered script as the game's script hook does: on a context of its own, on the
// host's thread. Each tick switches to the script, each scriptWait switches back, so the world
// and the log need no lock.
//
// Stopping frees the script's context where it is parked, as the hook does on unregistering a
// script: nothing on its stack is unwound, and the script is never resumed. The plug-in keeps
// nothing there across a scriptWait; and nothing is thrown through its frames, which promise not
// to let an exception pass.
#include <exception>
#include <utility>

#include "SimScriptContext.h"
#include "SimState.h"

namespace {

struct ScriptHost {
  ScriptEntryFn entry = nullptr;  // what the current context runs
  bool hasContext = false;
  bool onScript = false;  // the script's turn: code runs on its context
  bool parked = false;    // waiting in scriptWait for the next tick
  bool ended = false;     // returned or threw by itself; not restarted until stopped
  std::exception_ptr failure;
};

ScriptHost gHost;

void RunScript() {
  try {
    gHost.entry();
  } catch (...) {
    // Anything the script lets out belongs to the host: it is rethrown from RunScriptTicks.
    gHost.failure = std::current_exception();
  }
  gHost.ended = true;
  gHost.parked = false;
  gHost.onScript = false;
  // A context must never return from its start: there is nowhere to return to.
  for (;;) sim::detail::SwitchToHost();
}

}  // namespace

extern "C" void scriptWait(DWORD milliseconds) {
  sim::detail::RecordOperation(sim::Op::ScriptWait, {milliseconds});
  // Outside the hosted script (a test calling plug-in code directly) there is nobody to yield to.
  if (!gHost.onScript) return;
  gHost.parked = true;
  gHost.onScript = false;
  sim::detail::SwitchToHost();
  gHost.onScript = true;
  gHost.parked = false;
}

namespace sim {

bool RunScriptTicks(int ticks) {
  const ScriptEntryFn entry = detail::TheState().entry;
  if (entry == nullptr || gHost.onScript) return false;
  for (int tick = 0; tick < ticks && !gHost.ended; ++tick) {
    if (!gHost.hasContext) {
      gHost.entry = entry;
      if (!detail::CreateScriptContext(&RunScript)) return false;
      gHost.hasContext = true;
    }
    gHost.onScript = true;
    detail::SwitchToScript();
  }
  if (!gHost.ended) return true;
  if (gHost.failure) std::rethrow_exception(std::exchange(gHost.failure, nullptr));
  return false;
}

void StopScript() {
  if (gHost.onScript) return;  // a context cannot free itself
  if (gHost.hasContext) detail::DeleteScriptContext();
  gHost = ScriptHost{};
}

bool ScriptRunning() { return gHost.parked; }

}  // namespace sim
