// The script: one pass of its loop per game tick.
//
// Script context only. A tick is: LoadSettings, RefreshTickState, FindNearestTarget, the key
// testers (kKeyTesterOrder), then scriptWait(0); the recorder opens and closes it.
#pragma once

#include <cstdint>

namespace scuffler {

// Size of the ped buffer handed to worldGetAllPeds.
constexpr int kPedBufferSize = 1024;

// What a tick tests keys with, after the search, in the order it runs them. Of two settings on
// one key, the one tested first takes the release.
enum class KeyTester : std::uint8_t {
  Triggers,  // the six triggers, in kTriggerOrder
  SaveKey,   // the recorder's save key (iSaveRecordingKey), while a recording is wanted
};
inline constexpr KeyTester kKeyTesterOrder[] = {KeyTester::Triggers, KeyTester::SaveKey};

// What the search compares a squared distance with: a ped counts when its squared distance is not
// above this. So a negative MAX_DISTANCE reaches as far as its positive value.
inline float SearchBound(float maxDistance) { return maxDistance * maxDistance; }

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
