// A recording made here by the plug-in itself, replayed: the same moves by name and exit 0; a
// tick double with one trigger changed diverges at the tick where that trigger fired; a file cut
// short or altered does not read.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "Observe.h"
#include "Replay.h"
#include "SimHook.h"
#include "input/KeyStateTable.h"
#include "melee/ScriptLoop.h"
#include "melee/TickState.h"
#include "melee/Triggers.h"
#include "plugin/DllMain.h"
#include "record/Recorder.h"
#include "record/RecordingReader.h"
#include "settings/Settings.h"
#include "settings/SettingsFileFixture.h"

namespace sandbox {
namespace {

namespace rec = scuffler::recording;

std::string ReadAll(const char* name) {
  std::ifstream file(name, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Lines that start with "tick", for comparing what two runs did.
std::vector<std::string> TickLines(const std::string& trace) {
  std::vector<std::string> lines;
  std::istringstream in(trace);
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("tick", 0) == 0) lines.push_back(line);
  }
  return lines;
}

class Replay : public scuffler::SettingsFileFixture {
 protected:
  // Plays ticks 1 to 6 in the game's way, recording: G at tick 3, the settings edited before
  // tick 4 (Up rebound to H), H at tick 5, the save key at tick 6.
  static rec::Recording RecordASession() {
    sim::Reset();
    scuffler::gSettings = scuffler::Settings{};
    scuffler::gTickState = scuffler::TickState{};
    sim::SetPlayer(1, {0, 0, 0});
    sim::AddPed(2, {3, 0, 0});
    sim::AddPed(3, {6, 4, 0});
    sim::SetEngaged(3);
    WriteSettingsFile("[Scuffler]\niRecordSeconds = 10\n");
    DllMain(kModule, 1, nullptr);
    for (int tick = 1; tick <= 6; ++tick) {
      sim::SetTime(static_cast<std::uint32_t>(16 * tick));
      if (tick == 3) sim::TapKey(71);
      if (tick == 4) {
        WriteSettingsFile("[Scuffler]\niRecordSeconds = 10\niKickToChest = H\n");
        sim::AddPed(2, {2, 1, 0});
      }
      if (tick == 5) sim::TapKey(72);
      if (tick == 6) sim::TapKey(145);
      sim::RunScriptTicks(1);
    }
    DllMain(kModule, 0, nullptr);
    scuffler::StopRecording();
    RemoveSettingsFile();
    rec::ReadRecording read = rec::ParseRecording(ReadAll("Scuffler-recording-1.bin"));
    EXPECT_EQ(read.error, "");
    return read.recording.value_or(rec::Recording{});
  }
};

TEST_F(Replay, RunsTheRecordedTicksAgainAndStartsTheSameMovesByName) {
  const rec::Recording recording = RecordASession();
  ASSERT_EQ(recording.ticks.size(), 5u);
  std::ostringstream trace;
  const ReplayResult result = RunReplay(recording, trace, &scuffler::RunTick);
  EXPECT_TRUE(result.matched) << result.divergence;
  // Numbered as the plug-in counts its ticks since it loaded: the recording began at its second.
  const auto tick = [&recording](std::uint32_t n) {
    return TickPrefix(static_cast<int>(recording.firstTick + n - 2));
  };
  EXPECT_THAT(
      TickLines(trace.str()),
      ::testing::ElementsAre(
          tick(2) + "settings: iKick1NoRagdoll 71 (G), iKickToChest 38 (Up), iKickToLeg 40 "
                    "(Down), iKick2MidFar 39 (Right), iKick4Lowfar 37 (Left), MAX_DISTANCE 10, "
                    "iControllerRandomKick on, iRecordSeconds 10 s, iSaveRecordingKey 145 "
                    "(ScrollLock)",
          tick(2) + "engaged ped 3", tick(2) + "target ped 2, 3.00 away",
          tick(3) + "iKick1NoRagdoll (G): AR_ATT_COMBO_V2_PT3_LEFTSIDE on ped 2, the target",
          tick(4) + "settings: iKickToChest 38 (Up) -> 72 (H)",
          tick(5) + "iKickToChest (H): AR_ATTACK_COUNTER_FROM_DODGELEFT_V1 on ped 2, the target",
          tick(6) + "iSaveRecordingKey (ScrollLock): the game saves a recording here (the "
                    "sandbox writes none)"));
  EXPECT_THAT(trace.str(), ::testing::HasSubstr("summary: 5 ticks over 64 ms, 2 actions started"));
  // The replay wrote no file but its own settings copy, and took that away again.
  EXPECT_FALSE(std::filesystem::exists("Scuffler.ini"));
  EXPECT_FALSE(std::filesystem::exists("Scuffler-recording-2.bin"));
}

int gTicksOfTheDouble = 0;

// RunTick, but from its fourth tick on the chest key starts the leg kick.
void TickWithTheChestKeyChanged() {
  if (++gTicksOfTheDouble < 4) {
    scuffler::RunTick();
    return;
  }
  scuffler::BeginRecordedTick();
  scuffler::LoadTickSettings();
  scuffler::RefreshTickState();
  scuffler::FindNearestTarget();
  for (const int trigger : scuffler::kTriggerOrder) {
    if (trigger == scuffler::kRandomTrigger) {
      scuffler::RunRandomTrigger();
      continue;
    }
    scuffler::MeleeAction action = scuffler::kMeleeActions[trigger];
    if (trigger == 1) action.name = scuffler::kMeleeActions[2].name;
    scuffler::RunKeyTrigger(action);
  }
  scuffler::RunSaveKey();
  scuffler::EndRecordedTick();
}

TEST_F(Replay, ATickWithOneTriggerChangedDivergesWhereThatTriggerFires) {
  const rec::Recording recording = RecordASession();
  gTicksOfTheDouble = 0;
  std::ostringstream trace;
  const ReplayResult result = RunReplay(recording, trace, &TickWithTheChestKeyChanged);
  EXPECT_FALSE(result.matched);
  // The double's fourth tick is the session's fifth, where H was released.
  EXPECT_THAT(result.divergence, ::testing::MatchesRegex(
                                     "tick " + std::to_string(recording.firstTick + 3) +
                                     ", call [0-9]+: the recording has "
                                     "MISC::GET_HASH_KEY\\(\"AR_ATTACK_COUNTER_FROM_DODGELEFT_V1\""
                                     "\\), the code asked MISC::GET_HASH_KEY\\(\"AR_ATTACK_COUNTER_"
                                     "FROM_DODGERIGHT_V2\"\\)"));
  EXPECT_THAT(trace.str(), ::testing::Not(::testing::HasSubstr("summary")));
  EXPECT_THAT(trace.str(), ::testing::HasSubstr(
                               TickPrefix(static_cast<int>(recording.firstTick + 2)) + "settings"));
}

// RunTick, but its fourth tick reads MAX_DISTANCE otherwise than the recording's C runtime did.
void TickReadingTheDistanceOtherwise() {
  if (++gTicksOfTheDouble < 4) {
    scuffler::RunTick();
    return;
  }
  scuffler::BeginRecordedTick();
  scuffler::LoadTickSettings();
  scuffler::gSettings.MAX_DISTANCE = 4;
  scuffler::RefreshTickState();
  scuffler::FindNearestTarget();
  scuffler::RunTriggers();
  scuffler::RunSaveKey();
  scuffler::EndRecordedTick();
}

// RunTick, but the tick that saved in the game tests no save key.
void TickWithoutTheSaveKey() {
  scuffler::BeginRecordedTick();
  scuffler::LoadTickSettings();
  scuffler::RefreshTickState();
  scuffler::FindNearestTarget();
  scuffler::RunTriggers();
  if (++gTicksOfTheDouble < 5) scuffler::RunSaveKey();
  scuffler::EndRecordedTick();
}

TEST_F(Replay, OtherSettingsAfterALoadOrAReleaseNeverTakenDiverge) {
  const rec::Recording recording = RecordASession();
  const std::string fifth = "tick " + std::to_string(recording.firstTick + 3) + ", call ";
  std::ostringstream trace;
  gTicksOfTheDouble = 0;
  const ReplayResult settings = RunReplay(recording, trace, &TickReadingTheDistanceOtherwise);
  EXPECT_FALSE(settings.matched);
  EXPECT_EQ(settings.divergence,
            fifth +
                "1: the settings after the load differ, as recorded -> here: MAX_DISTANCE 10 "
                "-> 4");
  gTicksOfTheDouble = 0;
  const ReplayResult release = RunReplay(recording, trace, &TickWithoutTheSaveKey);
  EXPECT_FALSE(release.matched);
  const std::string sixth = "tick " + std::to_string(recording.firstTick + 4) + ", call ";
  EXPECT_THAT(release.divergence,
              ::testing::MatchesRegex(sixth + "[0-9]+: the recording has a release of 145 taken, "
                                              "the code never took it"));
}

TEST_F(Replay, AFileCutShortOrAlteredDoesNotRead) {
  RecordASession();
  const std::string bytes = ReadAll("Scuffler-recording-1.bin");
  EXPECT_EQ(rec::ParseRecording(bytes.substr(0, bytes.size() - 1)).error,
            "its checksum does not match");
  std::string altered = bytes;
  altered[8] = 9;  // the format version
  EXPECT_EQ(rec::ParseRecording(altered).error, "format version 9, this sandbox reads 1");
  EXPECT_EQ(rec::ParseRecording("[Scuffler]\n").error, "not a Scuffler recording");
  EXPECT_EQ(rec::ParseRecording(bytes.substr(0, 12)).error, "cut short in the header");
}

}  // namespace
}  // namespace sandbox
