// The test program plays the game. Its own folder is the game folder: the substitute
// ScriptHookRDR2.dll beside it, Scuffler.asi beside that (and a second copy in scripts\, where
// some loaders pick plug-ins up), and it is the working directory, where Scuffler.ini is read.
//
// Helpers to load the plug-in as the game's loader does, build a world, deliver keys with real
// time stamps and read the substitute's logs. Single-threaded: the thread that runs the ticks
// also delivers the keys, as the game's does.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "SimDllHostApi.h"

bool operator==(const SimHostAction& a, const SimHostAction& b);
std::ostream& operator<<(std::ostream& out, const SimHostAction& action);
std::ostream& operator<<(std::ostream& out, const std::vector<SimHostAction>& actions);

namespace wintest {

// The peds of StandardWorld. The player stands at the origin, all others on the x axis.
constexpr std::int32_t kPlayer = 1;
constexpr std::int32_t kTarget = 2;      // eligible, 3 units away: the nearest eligible ped
constexpr std::int32_t kIneligible = 3;  // 1 unit away, but fails the first eligibility check
constexpr std::int32_t kFarther = 4;     // eligible, 6 units away
constexpr std::int32_t kOutOfRange = 5;  // eligible, 20 units away: beyond the default 10

// The plug-in's window for a key release, in milliseconds of GetTickCount.
constexpr std::uint32_t kReleaseWindowMs = 100;

// Makes the game folder the working directory and removes any Scuffler.ini left in it.
void EnterGameFolder();

// Resets the substitute hook (registrations included) and builds the world described above.
void StandardWorld();

// Full path of `relative` in the game folder.
std::wstring InGameFolder(const wchar_t* relative);

// Loads the plug-in at `relative` in the game folder with LoadLibrary; null on failure.
HMODULE LoadPlugin(const wchar_t* relative = L"Scuffler.asi");

// Whether `address` lies in the loaded image of `module`.
bool ImageContains(HMODULE module, const void* address);

// The substitute's logs, emptied as they are taken.
std::vector<SimHostCall> TakeCalls();
std::vector<SimHostAction> TakeActions();

// Writes `text` to `relative` in the game folder, replacing it; RemoveFile deletes it if present.
void WriteFile(const wchar_t* relative, const std::string& text);
void RemoveFile(const wchar_t* relative);

// A press and a release of `key`.
void TapKey(std::uint32_t key);

// Taps `key` and runs one tick at once; returns the actions that tick started. The plug-in reads
// its clock between the tap and the end of the tick, so a try measured under the window is inside
// it by the plug-in's reckoning too; a slower try (a stalled machine) is made again, a few times.
// `inWindow` tells whether a try was fast enough.
std::vector<SimHostAction> TapWithinWindow(std::uint32_t key, bool& inWindow);

// Taps `key`, waits until the window has passed by the tick count, then runs one tick; returns
// the actions that tick started.
std::vector<SimHostAction> TapPastWindow(std::uint32_t key);

// The action the player starts against `target` for the melee action named `name`.
SimHostAction ActionAgainst(std::int32_t target, const char* name);

}  // namespace wintest
