// The real Windows loader and the real DllMain: what Scuffler.asi hands to the hook when it is
// loaded and takes back when it is unloaded, and that the hook can run the script it was given.
#include "GameFolder.h"
#include "Harness.h"

namespace {

using namespace wintest;

template <typename Pointer>
std::uint64_t Address(Pointer pointer) {
  return reinterpret_cast<std::uintptr_t>(pointer);
}

DWORD WINAPI DoNothing(LPVOID /*unused*/) { return 0; }

void AttachRegistersTheScriptThenTheKeyboardHandlerAndDetachRemovesBothInTurn() {
  StandardWorld();
  HMODULE plugin = LoadPlugin();
  CHECK(plugin != nullptr);
  if (plugin == nullptr) return;
  const ScriptEntryFn script = SimHostRegisteredScript();
  const KeyboardHandlerFn handler = SimHostRegisteredKeyboardHandler();
  CHECK(SimHostRegisteredModule() == plugin);
  CHECK(ImageContains(plugin, reinterpret_cast<const void*>(script)));
  CHECK(ImageContains(plugin, reinterpret_cast<const void*>(handler)));

  std::vector<SimHostCall> calls = TakeCalls();
  CHECK_EQ(calls.size(), 2u);
  if (calls.size() == 2) {
    CHECK(calls[0].op == sim::Op::ScriptRegister);
    CHECK_EQ(calls[0].argCount, 2);
    CHECK_EQ(calls[0].args[0], Address(plugin));
    CHECK_EQ(calls[0].args[1], Address(script));
    CHECK(calls[1].op == sim::Op::KeyboardHandlerRegister);
    CHECK_EQ(calls[1].argCount, 1);
    CHECK_EQ(calls[1].args[0], Address(handler));
  }

  // The loader's thread notifications reach DllMain too, and change nothing.
  HANDLE thread = CreateThread(nullptr, 0, &DoNothing, nullptr, 0, nullptr);
  CHECK(thread != nullptr);
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
  CHECK_EQ(TakeCalls().size(), 0u);

  // The script parks in scriptWait(0) at the end of every tick.
  CHECK_EQ(SimHostRunScriptTicks(3), 1);
  CHECK(SimHostScriptRunning() != 0);
  int waits = 0;
  for (const SimHostCall& call : TakeCalls()) {
    if (call.op != sim::Op::ScriptWait) continue;
    ++waits;
    CHECK_EQ(call.args[0], 0u);
  }
  CHECK_EQ(waits, 3);

  CHECK(FreeLibrary(plugin));
  calls = TakeCalls();
  CHECK_EQ(calls.size(), 2u);
  if (calls.size() == 2) {
    CHECK(calls[0].op == sim::Op::ScriptUnregister);
    CHECK_EQ(calls[0].args[0], Address(plugin));
    CHECK(calls[1].op == sim::Op::KeyboardHandlerUnregister);
    CHECK_EQ(calls[1].args[0], Address(handler));
  }
  CHECK(SimHostScriptRunning() == 0);
  CHECK(SimHostRegisteredModule() == nullptr);
  CHECK(SimHostRegisteredScript() == nullptr);
  CHECK(SimHostRegisteredKeyboardHandler() == nullptr);
  CHECK(GetModuleHandleW(L"Scuffler.asi") == nullptr);
}

void LoadingAgainRegistersAFreshScript() {
  StandardWorld();
  HMODULE plugin = LoadPlugin();
  CHECK(plugin != nullptr);
  if (plugin == nullptr) return;
  CHECK_EQ(SimHostRunScriptTicks(2), 1);
  CHECK(FreeLibrary(plugin));
  plugin = LoadPlugin();
  CHECK(plugin != nullptr);
  if (plugin == nullptr) return;
  CHECK(SimHostRegisteredModule() == plugin);
  CHECK_EQ(SimHostRunScriptTicks(1), 1);
  CHECK(FreeLibrary(plugin));
}

// The game's own thread may be a fiber already, and need not be the thread of the last script.
struct FiberThreadRun {
  bool converted = false;
  bool loaded = false;
  int ticks = 0;
  int running = 0;
  bool freed = false;
};

DWORD WINAPI LoadAndTickOnAFiberThread(LPVOID param) {
  auto& run = *static_cast<FiberThreadRun*>(param);
  run.converted = ConvertThreadToFiber(nullptr) != nullptr;
  HMODULE plugin = LoadPlugin();
  run.loaded = plugin != nullptr;
  if (plugin == nullptr) return 0;
  run.ticks = SimHostRunScriptTicks(2);
  run.running = SimHostScriptRunning();
  run.freed = FreeLibrary(plugin) != 0;
  ConvertFiberToThread();
  return 0;
}

void ScriptsRunOnAnotherThreadThatIsAFiberAlready() {
  StandardWorld();
  FiberThreadRun run;
  HANDLE thread = CreateThread(nullptr, 0, &LoadAndTickOnAFiberThread, &run, 0, nullptr);
  CHECK(thread != nullptr);
  if (thread == nullptr) return;
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
  CHECK(run.converted);
  CHECK(run.loaded);
  CHECK_EQ(run.ticks, 1);
  CHECK_EQ(run.running, 1);
  CHECK(run.freed);
  CHECK_EQ(SimHostScriptRunning(), 0);
}

}  // namespace

int main() {
  EnterGameFolder();
  Run("AttachRegistersTheScriptThenTheKeyboardHandlerAndDetachRemovesBothInTurn",
      &AttachRegistersTheScriptThenTheKeyboardHandlerAndDetachRemovesBothInTurn);
  Run("LoadingAgainRegistersAFreshScript", &LoadingAgainRegistersAFreshScript);
  Run("ScriptsRunOnAnotherThreadThatIsAFiberAlready",
      &ScriptsRunOnAnotherThreadThatIsAFiberAlready);
  return Finish();
}
