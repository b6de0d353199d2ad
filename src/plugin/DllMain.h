// The module entry point, declared for the hosts that call it by hand (tests, the sandbox);
// on Windows the loader finds it by name.
#pragma once

#include "platform/Platform.h"

// Reason 1 registers the script and the keyboard callback; reason 0 removes both, script
// first; other reasons do nothing. Always TRUE, and never throws: the loader calls it.
extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved) noexcept;
