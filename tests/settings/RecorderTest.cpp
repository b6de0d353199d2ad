// The recorder through whole ticks against the simulated hook: what a saved file holds, call for
// call against the hook's own log, the seconds it keeps, the five newest files, a failed save,
// and nothing at all while it is off.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <new>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "SettingsFileFixture.h"
#include "SimHook.h"
#include "hook/NativeHashes.h"
#include "input/KeyStateTable.h"
#include "melee/ScriptLoop.h"
#include "melee/TestWorld.h"
#include "record/Recorder.h"
#include "record/RecordingFormat.h"
#include "record/RecordingReader.h"

// The recorder's block, refused while gRefuseBlocks holds: a machine out of memory. Every other
// nothrow array goes to the ordinary allocator.
namespace {
int gBlockRequests = 0;
bool gRefuseBlocks = false;
}  // namespace

void* operator new[](std::size_t size, const std::nothrow_t& /*tag*/) noexcept {
  if (size == scuffler::kRecorderBlockBytes) {
    ++gBlockRequests;
    if (gRefuseBlocks) return nullptr;
  }
  try {
    return ::operator new[](size);
  } catch (...) {
    return nullptr;
  }
}

namespace scuffler {
namespace {

namespace rec = recording;

constexpr std::uint32_t kScrollLock = 145;
constexpr std::uint32_t kG = 71;
constexpr const char kRecordTen[] = "[Scuffler]\niRecordSeconds = 10\n";

std::vector<std::string> FilesHere() {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(".")) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

rec::Recording ReadBack(const char* name) {
  std::ifstream file(name, std::ios::binary);
  std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  rec::ReadRecording read = rec::ParseRecording(std::move(bytes));
  EXPECT_EQ(read.error, "");
  return read.recording.value_or(rec::Recording{});
}

class Recorder : public SettingsFileFixture {
 protected:
  void SetUp() override {
    SettingsFileFixture::SetUp();
    testing::ResetWorldAndPlugIn();
    keyboardHandlerRegister(&RecordKeyMessage);
    sim::SetPlayer(1, {0, 0, 0});
    sim::AddPed(2, {3, 0, 0});
    sim::SetTime(1000);
  }
  void TearDown() override {
    keyboardHandlerUnregister(&RecordKeyMessage);
    testing::ResetWorldAndPlugIn();
    SettingsFileFixture::TearDown();
  }

  // One tick `ms` after the last; returns the native calls the hook logged in it.
  static std::vector<sim::Call> Tick(std::uint32_t ms = 16) {
    sim::AdvanceTime(ms);
    sim::TakeCalls();
    RunTick();
    std::vector<sim::Call> natives;
    for (sim::Call& call : sim::TakeCalls()) {
      if (call.op == sim::Op::Native) natives.push_back(std::move(call));
    }
    return natives;
  }
};

TEST_F(Recorder, OffItTestsNoSaveKeyKeepsNothingAndWritesNoFile) {
  WriteSettingsFile("[Scuffler]\niRecordSeconds = 0\n");
  Tick();
  sim::TapKey(kScrollLock);
  Tick();
  EXPECT_FALSE(IsRecording());
  EXPECT_EQ(RecordedTickCount(), 0u);
  EXPECT_THAT(FilesHere(), ::testing::ElementsAre("Scuffler.ini"));
  // Nobody asked about the key: its release is still there.
  EXPECT_NE(gKeyStateTable[kScrollLock].releasedFlag.load(), 0u);
}

TEST_F(Recorder, ASavedFileHoldsEveryCallKeyTestAndTheSettingsOfItsTicks) {
  WriteSettingsFile(kRecordTen);
  Tick();  // the load that turns recording on: the next tick is the first kept
  EXPECT_TRUE(IsRecording());
  std::vector<std::vector<sim::Call>> logged;
  logged.push_back(Tick());
  sim::TapKey(kG);
  logged.push_back(Tick());
  sim::TapKey(kScrollLock);
  logged.push_back(Tick());
  EXPECT_THAT(FilesHere(), ::testing::ElementsAre("Scuffler-recording-1.bin", "Scuffler.ini"));

  const rec::Recording recording = ReadBack("Scuffler-recording-1.bin");
  EXPECT_EQ(recording.pluginVersion, SCUFFLER_VERSION);
  EXPECT_EQ(recording.firstTick, TicksRun() - 2);
  EXPECT_EQ(recording.seconds, 10u);
  EXPECT_EQ(recording.spanMs, 32u);
  EXPECT_FALSE(recording.baseKnown);
  ASSERT_EQ(recording.ticks.size(), 3u);
  for (std::size_t t = 0; t < 3; ++t) {
    SCOPED_TRACE(t);
    EXPECT_EQ(recording.ticks[t].clock, 1032u + 16u * t);
    const std::vector<rec::RecordedEvent> events = rec::TickEvents(recording, t);
    ASSERT_GE(events.size(), 2u);
    EXPECT_EQ(events[0].kind, rec::EventKind::SettingsFile);
    EXPECT_EQ(events[0].file, t == 0 ? rec::FileState::Bytes : rec::FileState::Same);
    if (t == 0) {
      EXPECT_EQ(events[0].bytes, kRecordTen);
    }
    EXPECT_EQ(events[1].kind, rec::EventKind::Settings);
    EXPECT_EQ(events[1].settings.iRecordSeconds, 10);
    // Every native call, in order, as the hook logged it; the text, never the pointer.
    std::vector<std::string> recorded;
    std::vector<std::string> hooked;
    std::vector<std::string> keys;
    for (const rec::RecordedEvent& event : events) {
      if (event.kind == rec::EventKind::KeyTest) {
        keys.push_back(std::to_string(event.key) + (event.released ? " up" : " -"));
      }
      if (event.kind == rec::EventKind::Peds) {
        EXPECT_EQ(event.reported, 1);
        EXPECT_THAT(event.peds, ::testing::ElementsAre(2));
      }
      if (event.kind != rec::EventKind::Native) continue;
      std::string line = std::to_string(event.hash);
      for (std::size_t i = 0; i < event.args.size(); ++i) {
        line += " " +
                (static_cast<int>(i) == event.textArg ? event.text : std::to_string(event.args[i]));
      }
      line += " = " + std::to_string(static_cast<std::uint32_t>(event.result[0]));
      recorded.push_back(line);
    }
    for (const sim::Call& call : logged[t]) {
      std::string line = std::to_string(call.hash);
      for (std::size_t i = 0; i < call.args.size(); ++i) {
        line += " " + (call.hash == hash::kGetHashKey ? call.text : std::to_string(call.args[i]));
      }
      line += " = " + std::to_string(static_cast<std::uint32_t>(call.result[0]));
      hooked.push_back(line);
    }
    EXPECT_EQ(recorded, hooked);
    const std::vector<std::string> released[] = {
        {"71 -", "38 -", "40 -", "39 -", "37 -", "145 -"},
        {"71 up", "38 -", "40 -", "39 -", "37 -", "145 -"},
        {"71 -", "38 -", "40 -", "39 -", "37 -", "145 up"},
    };
    EXPECT_EQ(keys, released[t]);
  }
  // Recording goes on after the save.
  Tick();
  EXPECT_EQ(RecordedTickCount(), 4u);
}

TEST_F(Recorder, KeepsOnlyTheTicksOfTheLastSecondsAndTheFileBytesTheyStartFrom) {
  WriteSettingsFile("[Scuffler]\niRecordSeconds = 1\n");
  Tick();
  Tick(400);  // clock 1416: its bytes are dropped with it, into the base
  WriteSettingsFile("[Scuffler]\niRecordSeconds = 1\nMAX_DISTANCE = 5\n");
  Tick(400);  // 1816: dropped too, new bytes
  Tick(400);  // 2216
  Tick(400);  // 2616
  sim::AdvanceTime(384);
  sim::TapKey(kScrollLock);
  Tick(16);  // 3016: keeps 2216, 2616, 3016
  EXPECT_THAT(FilesHere(), ::testing::Contains("Scuffler-recording-1.bin"));
  const rec::Recording recording = ReadBack("Scuffler-recording-1.bin");
  ASSERT_EQ(recording.ticks.size(), 3u);
  EXPECT_EQ(recording.ticks[0].clock, 2216u);
  EXPECT_EQ(recording.firstTick, TicksRun() - 2);
  EXPECT_EQ(recording.spanMs, 800u);
  EXPECT_TRUE(recording.baseKnown);
  EXPECT_EQ(recording.baseBytes, "[Scuffler]\niRecordSeconds = 1\nMAX_DISTANCE = 5\n");
  EXPECT_EQ(rec::TickEvents(recording, 0)[0].file, rec::FileState::Same);
}

TEST_F(Recorder, KeepsTheFiveNewestFilesAndCountsOnFromTheHighest) {
  WriteSettingsFile(kRecordTen);
  Tick();
  for (int save = 0; save < 7; ++save) {
    sim::TapKey(kScrollLock);
    Tick();
  }
  EXPECT_THAT(FilesHere(),
              ::testing::ElementsAre("Scuffler-recording-3.bin", "Scuffler-recording-4.bin",
                                     "Scuffler-recording-5.bin", "Scuffler-recording-6.bin",
                                     "Scuffler-recording-7.bin", "Scuffler.ini"));
  EXPECT_EQ(ReadBack("Scuffler-recording-7.bin").ticks.size(), 7u);
}

TEST_F(Recorder, ASaveThatCannotBeWrittenLeavesNoFileAndTheTickGoesOn) {
  WriteSettingsFile(kRecordTen);
  Tick();
  // Where the file would be written beside first, a folder: the write cannot even start.
  std::filesystem::create_directory("Scuffler-recording-1.bin.tmp");
  sim::TapKey(kScrollLock);
  sim::TapKey(kG);
  Tick();
  EXPECT_EQ(sim::TakeActions().size(), 1u);
  EXPECT_THAT(FilesHere(), ::testing::ElementsAre("Scuffler-recording-1.bin.tmp", "Scuffler.ini"));
  EXPECT_TRUE(IsRecording());
  EXPECT_EQ(RecordedTickCount(), 1u);
}

TEST_F(Recorder, ALoadWithNoSecondsGivesTheMemoryBack) {
  WriteSettingsFile(kRecordTen);
  Tick();
  Tick();
  EXPECT_TRUE(IsRecording());
  WriteSettingsFile("[Scuffler]\niRecordSeconds = 0\n");
  Tick();
  EXPECT_FALSE(IsRecording());
  EXPECT_EQ(RecordedTickCount(), 0u);
}

TEST_F(Recorder, WithTheDiscardingSinkTheSaveKeyIsTestedButNoFileIsWritten) {
  SetRecordingSink(kDiscardingSink);
  WriteSettingsFile(kRecordTen);
  Tick();
  sim::TapKey(kScrollLock);
  Tick();
  EXPECT_TRUE(IsRecording());
  EXPECT_EQ(gKeyStateTable[kScrollLock].releasedFlag.load(), 0u);  // tested and used up
  EXPECT_THAT(FilesHere(), ::testing::ElementsAre("Scuffler.ini"));
}

TEST_F(Recorder, ABlockThatCannotBeHadIsAskedForAgainOnlyWhenTheSecondsChange) {
  gBlockRequests = 0;
  gRefuseBlocks = true;
  WriteSettingsFile(kRecordTen);
  Tick();
  Tick();
  Tick();
  EXPECT_FALSE(IsRecording());
  EXPECT_EQ(gBlockRequests, 1);
  gRefuseBlocks = false;
  Tick();
  EXPECT_EQ(gBlockRequests, 1);
  WriteSettingsFile("[Scuffler]\niRecordSeconds = 11\n");
  Tick();
  EXPECT_TRUE(IsRecording());
  EXPECT_EQ(gBlockRequests, 2);
}

TEST(RecordingNumber, ReadsEveryNameTheWriterWritesAndNoOther) {
  const std::pair<const char*, std::uint32_t> names[] = {
      {"Scuffler-recording-1.bin", 1},
      {"Scuffler-recording-999999999.bin", 999999999},
      {"Scuffler-recording-1000000000.bin", 1000000000},
      {"Scuffler-recording-4294967295.bin", 4294967295u},
      {"Scuffler-recording-4294967296.bin", 0},
      {"Scuffler-recording-99999999999.bin", 0},
      {"Scuffler-recording-0.bin", 0},
      {"Scuffler-recording-.bin", 0},
      {"Scuffler-recording-7.bin.tmp", 0},
      {"Scuffler-recording-7.txt", 0},
      {"scuffler-recording-7.bin", 0},
  };
  for (const auto& [name, number] : names) EXPECT_EQ(RecordingNumber(name), number) << name;
  for (const std::uint32_t number : {1u, 9u, 10u, 999999999u, 1000000000u, 4294967295u}) {
    char name[40];
    RecordingFileName(number, name);
    EXPECT_EQ(RecordingNumber(name), number) << name;
  }
}

// Files a player already has, then two saves: what is left. The numbers count on from the highest
// without overwriting, the five newest stay, and past the last number nothing is saved.
TEST_F(Recorder, TwoSavesAfterTheFilesAPlayerHasMakeNewFilesOrNone) {
  struct Case {
    std::vector<std::uint32_t> before;
    std::vector<std::uint32_t> after;
  };
  const Case cases[] = {
      {{999999999u}, {999999999u, 1000000000u, 1000000001u}},
      {{4294967290u, 4294967291u, 4294967292u, 4294967293u, 4294967294u},
       {4294967291u, 4294967292u, 4294967293u, 4294967294u, 4294967295u}},
      {{4294967295u}, {4294967295u}},
  };
  WriteSettingsFile(kRecordTen);
  Tick();
  for (const Case& c : cases) {
    std::vector<std::string> expected;
    for (const std::uint32_t number : c.after) {
      char name[40];
      RecordingFileName(number, name);
      expected.push_back(name);
    }
    for (const std::uint32_t number : c.before) {
      char name[40];
      RecordingFileName(number, name);
      std::ofstream(name, std::ios::binary) << "kept";
    }
    for (int save = 0; save < 2; ++save) {
      sim::TapKey(kScrollLock);
      Tick();
    }
    expected.push_back("Scuffler.ini");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(FilesHere(), expected);
    for (const std::string& name : FilesHere()) {
      if (name != "Scuffler.ini") std::filesystem::remove(name);
    }
  }
}

TEST_F(Recorder, ATickExactlyTheKeptSecondsOldIsDropped) {
  WriteSettingsFile("[Scuffler]\niRecordSeconds = 1\n");
  Tick();
  Tick();     // 1032: exactly 1000 ms before the save's tick
  Tick(500);  // 1532
  sim::AdvanceTime(500);
  sim::TapKey(kScrollLock);
  Tick(0);  // 2032
  const rec::Recording recording = ReadBack("Scuffler-recording-1.bin");
  ASSERT_EQ(recording.ticks.size(), 2u);
  EXPECT_EQ(recording.ticks[0].clock, 1532u);
}

// Each tick's settings file as the recorder keeps it: new bytes, the same, a prefix of them (other
// bytes, though they start alike), too large to keep, and after that never "the same".
TEST_F(Recorder, KeepsEachTicksSettingsFileAsBytesOnlyWhenTheyDiffer) {
  const std::string first = std::string(kRecordTen) + "MAX_DISTANCE = 5\n";
  const std::string prefix = first.substr(0, std::string(kRecordTen).size());
  const std::string large = first + std::string(rec::kLargestKeptFile, ';');
  struct Step {
    std::optional<std::string> file;  // none: a folder in its place
    rec::FileState state;
  };
  const Step steps[] = {
      {first, rec::FileState::Bytes},  // the first tick kept: its bytes are new to the block
      {prefix, rec::FileState::Bytes},
      {prefix, rec::FileState::Same},
      {large, rec::FileState::TooLarge},
      {prefix, rec::FileState::Bytes},
      {std::nullopt, rec::FileState::Unreadable},
      {prefix, rec::FileState::Same},
  };
  WriteSettingsFile(first);
  Tick();
  for (const Step& step : steps) {
    RemoveSettingsFile();
    if (step.file) {
      WriteSettingsFile(*step.file);
    } else {
      std::filesystem::create_directory("Scuffler.ini");
    }
    Tick();
  }
  RemoveSettingsFile();
  WriteSettingsFile(prefix);
  sim::TapKey(kScrollLock);
  Tick();
  const rec::Recording recording = ReadBack("Scuffler-recording-1.bin");
  ASSERT_EQ(recording.ticks.size(), std::size(steps) + 1);
  for (std::size_t t = 0; t < std::size(steps); ++t) {
    const rec::RecordedEvent file = rec::TickEvents(recording, t)[0];
    EXPECT_EQ(file.file, steps[t].state) << "tick " << t;
    if (file.file == rec::FileState::Bytes) {
      EXPECT_EQ(file.bytes, t == 0 ? first : prefix) << "tick " << t;
    }
  }
}

}  // namespace
}  // namespace scuffler
