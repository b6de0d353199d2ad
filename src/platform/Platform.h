// The one place where the plug-in meets the operating system's types.
//
// On Windows the types and GetTickCount come from <windows.h> and kernel32. Everywhere else the
// same names are declared here with the same widths, and GetTickCount is supplied by whatever
// stands in for the game (the simulated script hook), so the rest of the code is portable C++.
#pragma once

#if defined(_WIN32)
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <cstdint>

using DWORD = std::uint32_t;
using WORD = std::uint16_t;
using BYTE = std::uint8_t;
using BOOL = std::int32_t;
struct HINSTANCE__;
using HINSTANCE = HINSTANCE__*;
using LPVOID = void*;
#define WINAPI
#ifndef TRUE
#define TRUE 1
#endif

// Milliseconds since the system started, wrapping every 2^32 ms.
extern "C" DWORD GetTickCount();
#endif
