// The host side of the substitute ScriptHookRDR2.dll: what a Windows test program, playing the
// game, uses to build the world, run the script tick by tick, deliver keys and read the log.
//
// Exported from the DLL under these plain C names (SimDllHostApi.def) with plain C types only,
// so a test program can link to it through the DLL's import library without sharing C++ runtime
// objects across the module boundary. Threading: call from one thread, the one that runs the
// ticks; it is also the thread that delivers keyboard messages, as in the game.
#pragma once

#include <cstdint>

#include "SimHook.h"

extern "C" {

// One recorded operation, as in sim::Call; pointers as their address. Slots past argCount are 0.
struct SimHostCall {
  sim::Op op;
  std::uint64_t hash;
  int argCount;
  std::uint64_t args[8];
};

struct SimHostAction {
  std::int32_t actor;
  std::int32_t target;
  std::uint32_t actionHash;
};

// sim::Reset: stops the script, forgets the registrations, empties the world and the logs.
void SimHostReset();

void SimHostSetPlayer(std::int32_t handle, float x, float y, float z);
void SimHostSetEngaged(std::int32_t handle);
void SimHostAddPed(std::int32_t handle, float x, float y, float z);
void SimHostRemovePed(std::int32_t handle);
void SimHostSetReportedPedCount(int count);  // as sim::SetReportedPedCount
void SimHostSetPedAnswer(std::int32_t ped, std::uint64_t hash, std::int32_t value);
void SimHostSetAnswer(std::uint64_t hash, std::int32_t value);
void SimHostClearAnswer(std::uint64_t hash);
// The action hash the game would give `name`.
std::uint32_t SimHostNameHash(const char* name);
// sim::TakesAnswers and sim::PassingAnswer, for a test program that reads sandbox scenarios.
int SimHostTakesAnswers(std::uint64_t hash);
std::int32_t SimHostPassingAnswer(std::uint64_t hash);

// One keyboard message to the registered handler: `released` is the is-up-now flag.
void SimHostSendKey(std::uint32_t key, int released, int wasDown);

// sim::RunScriptTicks: 1 while the script runs on, 0 when none is registered or it has ended,
// -1 when it let an exception out.
int SimHostRunScriptTicks(int ticks);
int SimHostScriptRunning();

HINSTANCE SimHostRegisteredModule();
ScriptEntryFn SimHostRegisteredScript();
KeyboardHandlerFn SimHostRegisteredKeyboardHandler();

// The call log, oldest first.
int SimHostCallCount();
// Copies call `index` to `out`; 0 when there is no such call.
int SimHostCallAt(int index, SimHostCall* out);
void SimHostClearCalls();

// The StartMeleeAction calls, oldest first.
int SimHostActionCount();
int SimHostActionAt(int index, SimHostAction* out);
void SimHostClearActions();

}  // extern "C"
