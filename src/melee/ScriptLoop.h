// The script: one pass of its loop per game tick.
//
// Script context only. A tick is: LoadSettings, RefreshTickState, FindNearestTarget, the six
// triggers, the recorder's save key, then scriptWait(0); the recorder opens and closes it.
#pragma once

#include <cstdint>

namespace scuffler {

// Size of the ped buffer handed to worldGetAllPeds.
constexpr int kPedBufferSize = 1024;

// The script entry handed to scriptRegister; loops for ever, one tick per scriptWait. Never throws:
// the hook runs it from its own code, and stops it without unwinding it.
void ScriptEntry() noexcept;

// One tick without its closing scriptWait(0).
void RunTick();

// The tick's first step: LoadSettings, with the recorder told what it read and what Settings it
// left while it records, then recording turned on or off as iRecordSeconds says.
void LoadTickSettings();

// Writes playerPed and engagedPed of gTickState.
void RefreshTickState();

// Writes targetPed: the nearest eligible ped within MAX_DISTANCE of the player, or 0. Of peds at
// the same distance the later one in the game's list wins; a ped exactly at the limit counts.
void FindNearestTarget();

}  // namespace scuffler
