// The nine operations of ScriptHookRDR2.dll, the plug-in's only road into the game.
//
// Declared once, with the hook's own parameter types. Built with MSVC they keep C++ linkage,
// so the compiler decorates them exactly as the hook exports them. Everywhere else they have
// plain C names: the MinGW import library maps those to the decorated exports, and natively the
// simulated script hook defines them.
//
// Threading: the script runs on the hook's script context; the keyboard handler is called
// wherever the hook delivers keyboard messages. Natives may only be called from the script.
#pragma once

#include <cstdint>

#include "platform/Platform.h"

using ScriptEntryFn = void (*)();
// Virtual-key code, repeat count, scan code, extended, Alt, was-down-before, is-up-now.
using KeyboardHandlerFn = void (*)(DWORD, WORD, BYTE, BOOL, BOOL, BOOL, BOOL);

#if defined(_MSC_VER)
#define SCRIPT_HOOK_API __declspec(dllimport)
#else
#define SCRIPT_HOOK_API extern "C"
#endif

// Runs `entry` as the script of `module` from the hook's script context.
SCRIPT_HOOK_API void scriptRegister(HINSTANCE module, ScriptEntryFn entry);
// Stops the script registered for `module`.
SCRIPT_HOOK_API void scriptUnregister(HINSTANCE module);
// Calls `handler` for every keyboard message.
SCRIPT_HOOK_API void keyboardHandlerRegister(KeyboardHandlerFn handler);
// Stops calling `handler`; it must be the pointer that was registered.
SCRIPT_HOOK_API void keyboardHandlerUnregister(KeyboardHandlerFn handler);
// Hands control back to the game; the script resumes on a later tick.
SCRIPT_HOOK_API void scriptWait(DWORD milliseconds);
// Writes at most `capacity` ped handles to the front of `peds`; returns how many it wrote.
SCRIPT_HOOK_API int worldGetAllPeds(int* peds, int capacity);
// Begins a native call by hash.
SCRIPT_HOOK_API void nativeInit(std::uint64_t hash);
// Appends the next 64-bit argument slot.
SCRIPT_HOOK_API void nativePush64(std::uint64_t value);
// Runs the native; the result stays readable until the next native call.
SCRIPT_HOOK_API std::uint64_t* nativeCall();
