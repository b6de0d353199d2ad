// Where the hosted script runs: a context of its own (a stack and saved registers) on the host's
// thread, switched to for each tick and back at each scriptWait, as the game's script hook runs
// scripts on fibers. One implementation per system: Win32 fibers in the substitute DLL, POSIX
// ucontext natively.
//
// Threading: the host thread only; one script context at a time. Private to the sim.
#pragma once

namespace sim::detail {

// Makes the script context, which runs `run` from its start on the first SwitchToScript. `run`
// must never return. False when the system refuses (out of memory).
bool CreateScriptContext(void (*run)());

// From the host: runs the script context until it switches back.
void SwitchToScript();

// From the script context: back to the host, where the last SwitchToScript returns.
void SwitchToHost();

// Frees the script context wherever it is parked: nothing on its stack is unwound. Never from
// inside it.
void DeleteScriptContext();

}  // namespace sim::detail
