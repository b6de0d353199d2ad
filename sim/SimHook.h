// A simulated ScriptHookRDR2: a scriptable model of the game world behind the nine script-hook
// operations (and GetTickCount), recording every call the plug-in makes.
//
// The host (a test, the sandbox) builds a world, then either calls plug-in functions directly
// (their natives are answered and recorded at once) or starts the registered script and runs it
// one tick at a time: the script runs on a context of its own (a stack, on the host's thread) and
// every scriptWait hands control back to the host. Keyboard messages may be delivered from any
// thread.
//
// Threading: world set-up, the call log and the script controls belong to the host thread; while
// a tick runs, the host is blocked, so the script may touch them freely. The clock functions,
// GetTickCount, SendKey and TapKey may be called from any thread.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "hook/ScriptHook.h"

namespace sim {

struct Vec3 {
  float x = 0;
  float y = 0;
  float z = 0;
};

enum class Op {
  ScriptRegister,             // args: module, entry
  ScriptUnregister,           // args: module
  KeyboardHandlerRegister,    // args: handler
  KeyboardHandlerUnregister,  // args: handler
  ScriptWait,                 // args: milliseconds
  WorldGetAllPeds,            // args: capacity; result[0]: count returned
  Native,                     // hash, pushed slots, result
};

// One recorded operation. Pointers are recorded as their address.
struct Call {
  Op op = Op::Native;
  std::uint64_t hash = 0;               // natives only
  std::vector<std::uint64_t> args;      // pushed slots, or the operation's arguments
  std::uint64_t result[3] = {0, 0, 0};  // the native's result buffer as the plug-in saw it
  std::string text;                     // natives given a string: the text it pointed to
};

// One StartMeleeAction the plug-in made.
struct StartedAction {
  std::int32_t actor = 0;
  std::int32_t target = 0;
  std::uint32_t actionHash = 0;
};

// --- The world -------------------------------------------------------------------------------

// Stops a started script (see StopScript), then empties the world, the call log and the action
// log, forgets the registrations and the keyboard handler, and sets the clock to 0. Default
// answers: see SetPedAnswer.
void Reset();

// The player's ped (answer of the player-ped native) and its position. Default handle 0. A nonzero
// handle becomes a known ped, unlisted unless AddPed lists it; a previous player's ped stays known.
void SetPlayer(std::int32_t handle, Vec3 position);
// The engaged ped reported for the player (the ped PLAYER_PED_ID answers now); 0 for none.
void SetEngaged(std::int32_t handle);

// Adds or moves a known ped. Listed peds are returned by worldGetAllPeds in the order added;
// unlisted ones are known to the checks (for example an engaged ped out of the list).
void AddPed(std::int32_t handle, Vec3 position, bool listed = true);
void RemovePed(std::int32_t handle);

// Answer of a per-ped check native for `ped` (the first argument; for IS_PED_IN_COMBAT, the
// second). Without an override, a known ped passes every eligibility and readiness check
// (the first two checks answer 1, all others 0) and an unknown ped fails the first two.
void SetPedAnswer(std::int32_t ped, std::uint64_t hash, std::int32_t value);
// Answer of a native whatever its arguments (IS_PAUSE_MENU_ACTIVE, the controller natives, the
// random native); takes precedence over per-ped answers. Applies to every native answering a
// 32-bit integer (the player and engaged natives too), not to position, distance, name hash or
// action start. IS_USING_KEYBOARD_AND_MOUSE defaults to 1 (the player is on keyboard and mouse),
// IS_CONTROL_JUST_PRESSED, IS_PAUSE_MENU_ACTIVE and the random native to 0.
void SetAnswer(std::uint64_t hash, std::int32_t value);
// As SetPedAnswer and SetAnswer, but the calls from now on answer `values` in turn, the last one
// holding after them: one native answering differently within a tick. Empty values change nothing.
void SetPedAnswers(std::int32_t ped, std::uint64_t hash, std::vector<std::int32_t> values);
void SetAnswers(std::uint64_t hash, std::vector<std::int32_t> values);
void ClearAnswer(std::uint64_t hash);

// Whether SetAnswer (and SetPedAnswer, for a per-ped check) reaches the native `hash`: every native
// the plug-in calls but the four whose answers the sim computes from their arguments (position,
// distance, name hash, action start).
bool TakesAnswers(std::uint64_t hash);
// The answer under which a known ped passes the per-ped check `hash`, which it gives unless told
// otherwise: 1 for DOES_ENTITY_EXIST and IS_PED_HUMAN, which must hold, 0 for the others.
std::int32_t PassingAnswer(std::uint64_t hash);
// The answer of a native asked of no ped (the pause menu, the controller, the random pick) while
// none is set: 1 for IS_USING_KEYBOARD_AND_MOUSE (the player on keyboard and mouse), else 0.
std::int32_t UnsetAnswer(std::uint64_t hash);

// Makes worldGetAllPeds report `count` regardless of the buffer: it writes min(count, capacity)
// entries (the list repeated, or handle 0 when it is empty) and returns `count`. A negative value
// restores the honest count.
void SetReportedPedCount(int count);

// The action hash the name-hash native gives for `name` (deterministic, case-insensitive).
std::uint32_t NameHash(const std::string& name);
// The action name behind a hash NameHash gave, or "" when unknown.
std::string ActionName(std::uint32_t actionHash);

// --- The clock and the keyboard -----------------------------------------------------------------

void SetTime(std::uint32_t milliseconds);
void AdvanceTime(std::uint32_t milliseconds);
std::uint32_t Time();

// Delivers one keyboard message to the registered handler, if any. `released` is the is-up-now
// flag; `wasDown` the was-down-before flag.
void SendKey(std::uint32_t key, bool released, bool wasDown = false, bool alt = false);
// A press followed by a release of `key`.
void TapKey(std::uint32_t key);

// --- The log ----------------------------------------------------------------------------------

const std::vector<Call>& Calls();
std::vector<Call> TakeCalls();  // returns the log and empties it
const std::vector<StartedAction>& Actions();
std::vector<StartedAction> TakeActions();

// --- Replay -----------------------------------------------------------------------------------

// What answers the natives and the ped list in place of the world while it is set: a replay's
// answers from a recording. Calls are logged as ever, the name-hash native's text included, and
// an action start still counts as one; `native` and `peds` may throw to stop the plug-in's tick.
struct Responder {
  void (*native)(const Call& call, std::uint64_t* result, void* context);
  // Writes at most `capacity` handles to `peds`; returns the count to report.
  int (*peds)(int* peds, int capacity, void* context);
  void* context;
};

// Null: the world answers again (also after Reset).
void SetResponder(const Responder* responder);

// --- Registrations and the script -------------------------------------------------------------

HINSTANCE RegisteredModule();
ScriptEntryFn RegisteredScript();
KeyboardHandlerFn RegisteredKeyboardHandler();

// Runs the registered script until its next scriptWait, `ticks` times. The first tick starts
// the script. Returns false when no script is registered or the script has returned by itself
// (then it is not restarted until StopScript, Reset or a new registration); an exception the
// script lets out is rethrown here. A scriptWait made outside the hosted script is recorded and
// returns at once.
bool RunScriptTicks(int ticks = 1);
// Stops a started script as the game's hook does: its context is freed where the script is parked
// in scriptWait, and nothing on its stack is unwound (no destructor runs, nothing is thrown through
// it). Also done by scriptRegister (one script at a time), by scriptUnregister of the registered
// module and by Reset. Host thread only; does nothing when nothing runs.
void StopScript();
// Whether the script is parked in scriptWait, waiting for its next tick.
bool ScriptRunning();

}  // namespace sim
