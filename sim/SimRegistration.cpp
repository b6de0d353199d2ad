// Registering and unregistering the script: the same in every script host. Each host supplies
// StopScript and scriptWait.
#include "SimState.h"

extern "C" void scriptRegister(HINSTANCE module, ScriptEntryFn entry) {
  sim::detail::RecordOperation(sim::Op::ScriptRegister,
                               {sim::detail::Address(module), sim::detail::Address(entry)});
  // One script at a time; a new registration starts from the top on its first tick.
  sim::StopScript();
  sim::detail::TheState().module = module;
  sim::detail::TheState().entry = entry;
}

extern "C" void scriptUnregister(HINSTANCE module) {
  sim::detail::RecordOperation(sim::Op::ScriptUnregister, {sim::detail::Address(module)});
  if (module != sim::detail::TheState().module) return;
  sim::StopScript();
  sim::detail::TheState().module = nullptr;
  sim::detail::TheState().entry = nullptr;
}
