// What --record adds to a run: whether a settings file turns recording on, read by the plug-in's
// own loader; the edit that turns it on and leaves every other setting as it was; the sink that
// writes the recording to a named file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "RecordRun.h"
#include "ini/IniDocument.h"
#include "ini/IniFileLoader.h"
#include "ini/IniReadBuffers.h"
#include "settings/Settings.h"
#include "settings/SettingsTable.h"

namespace sandbox {
namespace {

scuffler::Settings Loaded(const std::string& text) {
  scuffler::IniDocument document;
  scuffler::IniReadBuffers buffers;
  scuffler::ReparseText(text, document, buffers);
  scuffler::Settings settings;
  scuffler::AssignSettings(document, settings);
  return settings;
}

struct Case {
  const char* name;
  std::optional<std::string> text;
  bool on;
};

const Case kCases[] = {
    {"no file", std::nullopt, false},
    {"an empty file", "", false},
    {"on", "[Scuffler]\niRecordSeconds = 10\n", true},
    {"on, no last newline", "[Scuffler]\r\niRecordSeconds=1", true},
    {"0 seconds", "[Scuffler]\niRecordSeconds = 0\n", false},
    {"a value that does not convert", "[Scuffler]\niRecordSeconds = ten\n", false},
    {"outside any section", "iRecordSeconds = 10\n", false},
    {"in another section", "[Other]\niRecordSeconds = 10\n", false},
    {"on, then another section", "[Scuffler]\niRecordSeconds = 5\n[Other]\nx = 1", true},
    {"other settings", "[Scuffler]\nMAX_DISTANCE = 4\niKickToChest = H\n", false},
    {"other settings, no last newline", "[Scuffler]\nMAX_DISTANCE = 4\n[Other]\nx = 1", false},
};

TEST(RecordRun, TellsWhetherASettingsFileTurnsRecordingOn) {
  for (const Case& c : kCases) EXPECT_EQ(TurnsRecordingOn(c.text), c.on) << c.name;
}

TEST(RecordRun, TheEditTurnsRecordingOnForSixtySecondsAndChangesNoOtherSetting) {
  for (const Case& c : kCases) {
    const std::string edited = WithRecordingOn(c.text);
    EXPECT_TRUE(TurnsRecordingOn(edited)) << c.name;
    scuffler::Settings expected = Loaded(c.text.value_or(""));
    expected.iRecordSeconds = kRecordSecondsAdded;
    EXPECT_TRUE(scuffler::SameSettings(Loaded(edited), expected)) << c.name << ":\n" << edited;
    // The player's lines stay as they were, in front.
    EXPECT_EQ(edited.rfind(c.text.value_or(""), 0), 0u) << c.name;
  }
}

TEST(RecordRun, TheSinkWritesEveryRunInOrderToTheNamedFileOrSaysItCannot) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / "scuffler-record-run-test";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  const unsigned char first[] = {'a', 'b'};
  const unsigned char second[] = {'c'};
  const scuffler::ByteRun runs[] = {{first, 2}, {nullptr, 0}, {second, 1}};
  std::string name = (folder / "made.bin").string();
  std::ofstream(name) << "an older file, longer than the recording";
  EXPECT_TRUE(SaveToNamedFile(runs, 3, &name));
  std::ifstream file(name, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()),
            "abc");
  std::string folderName = folder.string();
  EXPECT_FALSE(SaveToNamedFile(runs, 3, &folderName));
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace sandbox
