// A recording made here by the plug-in itself, replayed: the same moves by name and exit 0; a
// tick double with one trigger changed diverges at the tick where that trigger fired; a file cut
// short or altered does not read.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "Observe.h"
#include "Replay.h"
#include "SimHook.h"
#include "hook/NativeHashes.h"
#include "input/KeyStateTable.h"
#include "melee/ScriptLoop.h"
#include "melee/TickState.h"
#include "melee/Triggers.h"
#include "plugin/DllMain.h"
#include "record/Recorder.h"
#include "record/RecordingFormat.h"
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

// The first line names both versions; a second says they differ only when they do, and the
// replay matches either way.
TEST_F(Replay, NamesTheVersionThatRecordedAndTheOneReplayingAndWarnsWhenTheyDiffer) {
  const rec::Recording recorded = RecordASession();
  const std::string here = scuffler::PluginVersion();
  ASSERT_EQ(recorded.pluginVersion, here);
  const std::string warning = "the versions differ: a difference in behaviour may come from that";
  struct Case {
    std::string recordedBy;
    bool warned;
  };
  for (const Case& c : {Case{here, false}, Case{"1.3.0", true}, Case{here + ".1", true}}) {
    rec::Recording recording = recorded;
    recording.pluginVersion = c.recordedBy;
    std::ostringstream trace;
    const ReplayResult result = RunReplay(recording, trace, &scuffler::RunTick);
    EXPECT_TRUE(result.matched) << result.divergence;
    std::istringstream lines(trace.str());
    std::string first;
    std::string second;
    std::getline(lines, first);
    std::getline(lines, second);
    EXPECT_THAT(first, ::testing::HasSubstr("made by Scuffler " + c.recordedBy +
                                            ", replayed by Scuffler " + here + ";"));
    EXPECT_EQ(second == warning, c.warned) << c.recordedBy << ": " << second;
  }
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

// --- Round trip: random worlds recorded by the plug-in's own tick, saved, read and replayed ---

// Values at every boundary of a varint's bytes, and the ends of 32 bits.
constexpr std::uint32_t kBoundaries[] = {1,         127,        128,        16383,
                                         16384,     2097151,    2097152,    268435455,
                                         268435456, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF};

struct Random {
  std::uint32_t state;
  std::uint32_t Below(std::uint32_t bound) {
    state = state * 1664525u + 1013904223u;
    return (state >> 8) % bound;
  }
  float Coordinate() { return static_cast<float>(Below(2400)) / 100.0f - 12.0f; }
};

// A settings file of the round trip: recording always on, some seconds, moves on keys whose codes
// cross a varint boundary (F16 is 127, F17 128).
std::string RandomSettingsFile(Random& random) {
  static const char* const kKeys[] = {"G", "F16", "F17", "Up", "128", "127"};
  std::string file = "[Scuffler]\niRecordSeconds = " + std::to_string(1 + random.Below(60)) +
                     "\niKickToChest = " + kKeys[random.Below(6)] +
                     "\niKick1NoRagdoll = " + kKeys[random.Below(6)] +
                     "\nMAX_DISTANCE = " + std::to_string(3 + random.Below(10)) + "\n";
  if (random.Below(4) == 0) file += "iControllerRandomKick = off\n";
  return file;
}

// Plays `ticks` random ticks with recording on and saves them at the last; returns what was
// saved and whether a tick's settings file was too large to keep.
rec::Recording RecordRandomWorld(std::uint32_t seed, int ticks, bool& tooLarge) {
  Random random{seed};
  sim::Reset();
  scuffler::gSettings = scuffler::Settings{};
  scuffler::gTickState = scuffler::TickState{};
  sim::SetPlayer(1, {0, 0, 0});
  std::string file = RandomSettingsFile(random);
  std::ofstream("Scuffler.ini", std::ios::binary) << file;
  DllMain(kModule, 1, nullptr);
  sim::SetTime(random.Below(0xFFFFFFFF));  // anywhere on the clock, its wrap included
  sim::RunScriptTicks(1);                  // the load that turns recording on
  std::vector<std::int32_t> handles;
  tooLarge = false;
  for (int tick = 1; tick <= ticks; ++tick) {
    // The crowd: peds come and go, handles at every boundary, some failing a check.
    for (const std::int32_t gone : handles) {
      if (random.Below(3) == 0) sim::RemovePed(gone);
    }
    const std::uint32_t crowd =
        std::array<std::uint32_t, 6>{0, 3, 127, 128, 1024, 1500}[random.Below(6)];
    handles.clear();
    for (std::uint32_t i = 0; i < std::min(crowd, 1024u); ++i) {
      const auto handle =
          static_cast<std::int32_t>(kBoundaries[random.Below(12)] - random.Below(2) + i);
      if (handle == 1 || handle == 0) continue;
      sim::AddPed(handle, {random.Coordinate(), random.Coordinate(), 0});
      if (random.Below(4) == 0) {
        sim::SetPedAnswer(
            handle,
            random.Below(2) == 0 ? scuffler::hash::kIsPedRagdoll : scuffler::hash::kIsPedHuman,
            random.Below(2) == 0 ? 1 : 0);
      }
      handles.push_back(handle);
    }
    sim::SetReportedPedCount(crowd > 1024 ? static_cast<int>(crowd) : -1);
    sim::SetEngaged(
        handles.empty() ? 0 : handles[random.Below(static_cast<std::uint32_t>(handles.size()))]);
    sim::SetAnswer(scuffler::hash::kIsUsingKeyboardAndMouse,
                   static_cast<std::int32_t>(random.Below(2)));
    sim::SetAnswer(scuffler::hash::kIsControlJustPressed,
                   static_cast<std::int32_t>(random.Below(2)));
    sim::SetAnswer(scuffler::hash::kGetRandomIntInRange,
                   static_cast<std::int32_t>(random.Below(7)) - 1);
    // The settings file appears, vanishes, grows, shrinks to a prefix, cannot be read.
    switch (random.Below(8)) {
      case 0:
        file = RandomSettingsFile(random);
        break;
      case 1:
        file = file.substr(
            0, file.size() - random.Below(static_cast<std::uint32_t>(file.size()) / 2 + 1));
        break;
      case 2:
        file += "; more\n";
        break;
      case 3:
        std::filesystem::remove_all("Scuffler.ini");
        file.clear();
        break;
      case 4:
        if (random.Below(4) == 0) {
          tooLarge = true;
          file += std::string(rec::kLargestKeptFile, ';');
        }
        break;
      default:
        break;
    }
    std::filesystem::remove_all("Scuffler.ini");
    if (random.Below(12) == 0) {
      std::filesystem::create_directory("Scuffler.ini");
    } else if (!file.empty()) {
      std::ofstream("Scuffler.ini", std::ios::binary) << file;
    }
    sim::AdvanceTime(1 + random.Below(300));
    for (const std::uint32_t key : {71u, 127u, 128u, 38u}) {
      if (random.Below(3) == 0) sim::TapKey(key);
    }
    if (tick == ticks) sim::TapKey(145);
    sim::RunScriptTicks(1);
  }
  DllMain(kModule, 0, nullptr);
  scuffler::StopRecording();
  std::filesystem::remove_all("Scuffler.ini");
  rec::ReadRecording read = rec::ParseRecording(ReadAll("Scuffler-recording-1.bin"));
  std::filesystem::remove("Scuffler-recording-1.bin");
  EXPECT_EQ(read.error, "") << "seed " << seed;
  return read.recording.value_or(rec::Recording{});
}

TEST_F(Replay, RandomWorldsRecordedByThePlugInReadBackAndReplayTickForTick) {
  for (std::uint32_t seed = 1; seed <= 6; ++seed) {
    bool tooLarge = false;
    const rec::Recording recording = RecordRandomWorld(seed, 14, tooLarge);
    ASSERT_FALSE(recording.ticks.empty()) << "seed " << seed;
    std::ostringstream trace;
    const ReplayResult result = RunReplay(recording, trace, &scuffler::RunTick);
    bool keptTooLarge = false;
    for (std::size_t t = 0; t < recording.ticks.size(); ++t) {
      rec::TickReader reader = rec::ReadTick(recording, t);
      for (rec::RecordedEvent event; rec::NextEvent(reader, event);) {
        keptTooLarge = keptTooLarge || (event.kind == rec::EventKind::SettingsFile &&
                                        event.file == rec::FileState::TooLarge);
      }
    }
    if (keptTooLarge) {
      EXPECT_THAT(result.divergence,
                  ::testing::HasSubstr("the settings file held more than a recording keeps"))
          << "seed " << seed;
    } else {
      EXPECT_TRUE(result.matched) << "seed " << seed << ": " << result.divergence;
      EXPECT_THAT(trace.str(), ::testing::HasSubstr("summary: "));
    }
  }
}

// A file written by hand: the header, the ticks' payloads (each after its clock) and the checksum.
std::string CraftedRecording(std::uint32_t spanMs, const std::vector<std::string>& ticks) {
  std::string file(reinterpret_cast<const char*>(rec::kMagic), sizeof rec::kMagic);
  const auto u32 = [&file](std::uint32_t value) {
    for (int i = 0; i < 4; ++i) file.push_back(static_cast<char>(value >> (8 * i)));
  };
  file += std::string(
      "\x01\x00\x05"
      "1.3.0",
      8);
  u32(static_cast<std::uint32_t>(ticks.size()));
  u32(1);
  u32(spanMs);
  u32(10);
  file += std::string(5, '\0');  // the settings file before: not known
  for (const std::string& payload : ticks) {
    u32(static_cast<std::uint32_t>(payload.size() + 4));
    u32(0);
    file += payload;
  }
  const std::uint64_t hash =
      rec::Fnv1a(rec::kFnvStart, reinterpret_cast<const unsigned char*>(file.data()), file.size());
  for (int i = 0; i < 8; ++i) file.push_back(static_cast<char>(hash >> (8 * i)));
  return file;
}

// A ped list of `reported` with `handles` handles of 2.
std::string PedList(std::uint32_t reported, int handles) {
  std::string event(1, static_cast<char>(rec::kTagPeds));
  unsigned char varint[10];
  event.append(reinterpret_cast<const char*>(varint), rec::PutVarint(varint, reported) - varint);
  event.append(static_cast<std::size_t>(handles), '\x02');
  return event;
}

TEST(ReadRecording, ACraftedFileReadsOnlyAsTheFormatAndItsBoundsAllow) {
  const std::string doesEntityExist = {
      static_cast<char>(scuffler::NativeIndex(scuffler::hash::kDoesEntityExist))};
  const struct {
    std::uint32_t spanMs;
    std::vector<std::string> ticks;
    std::string error;
  } cases[] = {
      {0, {PedList(1500, 1024)}, ""},
      {0, {PedList(1024, 1024)}, ""},
      {0, {PedList(0xFFFFFFFF, 0)}, ""},  // a negative count keeps no handle
      {0, {PedList(1500, 1025)}, "cut short in a native call"},
      {0, {PedList(1024, 1023)}, "a malformed number in the ped list"},
      {0, {doesEntityExist + "\x01\x02\x01"}, ""},  // one argument, no text
      {0, {doesEntityExist + "\x21\x00\x01"}, "a text argument past the arguments"},
      {0, std::vector<std::string>(rec::kTicksBeyondSpan), ""},
      {0, std::vector<std::string>(rec::kTicksBeyondSpan + 1),
       "more ticks than its span of 0 ms can hold"},
      {100, std::vector<std::string>(rec::kTicksBeyondSpan + 100), ""},
  };
  for (const auto& c : cases) {
    const rec::ReadRecording read = rec::ParseRecording(CraftedRecording(c.spanMs, c.ticks));
    EXPECT_EQ(read.error, c.error) << (c.ticks.empty() ? "" : c.ticks[0].substr(0, 8));
    if (c.error.empty() && read.recording && !c.ticks[0].empty() &&
        c.ticks[0][0] == static_cast<char>(rec::kTagPeds)) {
      const rec::RecordedEvent peds = rec::TickEvents(*read.recording, 0).at(0);
      EXPECT_EQ(peds.peds.size(), static_cast<std::size_t>(rec::KeptPeds(peds.reported)));
    }
  }
}

}  // namespace
}  // namespace sandbox
