// Compiled for the MSVC ABI by CheckMsvcImports.cmake, never linked or run: one call of each of
// the nine script-hook operations, so that the object imports every one under the decorated
// name MSVC gives it.
#include "hook/ScriptHook.h"

void CallEveryHookOperation() {
  scriptRegister(nullptr, nullptr);
  scriptUnregister(nullptr);
  keyboardHandlerRegister(nullptr);
  keyboardHandlerUnregister(nullptr);
  scriptWait(0);
  worldGetAllPeds(nullptr, 0);
  nativeInit(0);
  nativePush64(0);
  nativeCall();
}
