// The module entry: hands the script and the keyboard callback to the script hook on attach,
// takes both back on detach. Runs on whatever thread the loader uses.
#include "plugin/DllMain.h"

#include "hook/ScriptHook.h"
#include "input/KeyStateTable.h"
#include "melee/ScriptLoop.h"

namespace {

constexpr DWORD kProcessDetach = 0;
constexpr DWORD kProcessAttach = 1;

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID /*reserved*/) noexcept {
  switch (reason) {
    case kProcessAttach:
      scriptRegister(module, &scuffler::ScriptEntry);
      keyboardHandlerRegister(&scuffler::RecordKeyMessage);
      break;
    case kProcessDetach:
      scriptUnregister(module);
      keyboardHandlerUnregister(&scuffler::RecordKeyMessage);
      break;
    default:  // thread attach and detach: nothing to do
      break;
  }
  return TRUE;
}
