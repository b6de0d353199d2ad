// A stand-in for the Windows SDK's <windows.h>, enough for src/platform/Platform.h and
// ScriptHook.h: the few types they use, declared as the SDK declares them for 64-bit Windows (DWORD
// is unsigned long, HINSTANCE a pointer to struct HINSTANCE__), so that the MSVC ABI decorates the
// hook's operations as it does in a real MSVC build.
#pragma once

typedef unsigned long DWORD;
typedef unsigned short WORD;
typedef unsigned char BYTE;
typedef int BOOL;
struct HINSTANCE__;
typedef struct HINSTANCE__* HINSTANCE;
typedef void* LPVOID;
#define WINAPI __stdcall
#define TRUE 1
