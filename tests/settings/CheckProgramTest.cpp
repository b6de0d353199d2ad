// The settings checker as a program, with a double of the system around it: which files it reads,
// what it says when one cannot be read (a folder, access denied, in use) and its exit codes.
#include "CheckProgram.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "Wording.h"

namespace scuffler {
namespace {

using testing::HasSubstr;
using testing::Not;

// The files the double holds, by path, and what reading each gives; any other path is missing.
std::map<std::string, FileRead> gFiles;
std::vector<std::string> gReads;

FileRead ReadDouble(const std::string& path) {
  gReads.push_back(path);
  const auto found = gFiles.find(path);
  return found != gFiles.end() ? found->second : FileRead{OpenFailure::Missing, ""};
}

const std::string kClean = "[Scuffler]\niKickToChest = F5\n";
const std::string kMistyped = "[Scuffler]\niKickToChest = Shift+F5\n";

class CheckProgram : public testing::Test {
 protected:
  void SetUp() override {
    gFiles.clear();
    gReads.clear();
  }
  static CheckerRun Run(const std::vector<std::string>& arguments,
                        const std::string& programFolder = "/game/") {
    return RunChecker(arguments, {&ReadDouble, "/work/", programFolder, "scuffler-check"});
  }
  static void Holds(const std::string& path, const std::string& bytes) {
    gFiles[path] = {OpenFailure::None, bytes};
  }
  static void Fails(const std::string& path, OpenFailure failure) { gFiles[path] = {failure, ""}; }
};

TEST_F(CheckProgram, ReadsTheCurrentFoldersFileFirstThenTheOneBesideTheProgram) {
  Holds("/game/Scuffler.ini", kClean);
  CheckerRun run = Run({});
  EXPECT_EQ(run.exitCode, kExitClean);
  EXPECT_THAT(run.output, HasSubstr("Read /game/Scuffler.ini\n"));
  EXPECT_THAT(gReads, testing::ElementsAre("/work/Scuffler.ini", "/game/Scuffler.ini"));
  Holds("/work/Scuffler.ini", kMistyped);
  run = Run({});
  EXPECT_EQ(run.exitCode, kExitFindings);
  EXPECT_THAT(run.output, HasSubstr("Read /work/Scuffler.ini\n"));
}

TEST_F(CheckProgram, NoFileListsEachPlaceOnce) {
  CheckerRun run = Run({});
  EXPECT_EQ(run.exitCode, kExitNoFile);
  EXPECT_THAT(run.output, HasSubstr("Looked for:\n  /work/Scuffler.ini\n  /game/Scuffler.ini\n\n"));
  // Started in its own folder: that folder once.
  run = Run({}, "/work/");
  EXPECT_THAT(run.output, HasSubstr("Looked for:\n  /work/Scuffler.ini\n\n"));
  EXPECT_THAT(gReads, Not(testing::Contains("/work/")));
}

TEST_F(CheckProgram, AFileThatCannotBeReadIsSaidAsSuchAndTheSearchGoesOn) {
  const struct {
    OpenFailure failure;
    const char* says;
  } cases[] = {
      {OpenFailure::Folder, "it is a folder, not a file"},
      {OpenFailure::Denied, "access to it is denied"},
      {OpenFailure::InUse, "another program holds it open"},
      {OpenFailure::Other, "the system would not open it"},
  };
  for (const auto& c : cases) {
    SetUp();
    Fails("/work/Scuffler.ini", c.failure);
    CheckerRun run = Run({});
    EXPECT_EQ(run.exitCode, kExitNoFile);
    EXPECT_THAT(run.output,
                HasSubstr("/work/Scuffler.ini\n  cannot be read: " + std::string(c.says)));
    EXPECT_THAT(run.output, Not(HasSubstr("No settings file found")));
    Holds("/game/Scuffler.ini", kClean);
    run = Run({});
    EXPECT_EQ(run.exitCode, kExitClean);
    EXPECT_THAT(run.output, HasSubstr("cannot be read: " + std::string(c.says)));
    EXPECT_THAT(run.output, HasSubstr("Read /game/Scuffler.ini\n"));
    // Given by path: said, and exit 2.
    run = Run({"/work/Scuffler.ini"});
    EXPECT_EQ(run.exitCode, kExitNoFile);
    EXPECT_THAT(run.output, HasSubstr("cannot be read: " + std::string(c.says)));
  }
}

TEST_F(CheckProgram, AFileGivenByAnotherNameIsAFinding) {
  Holds("/work/Scuffler.ini.txt", kClean);
  Holds("/work/sub/SCUFFLER.INI", kClean);
  CheckerRun run = Run({"Scuffler.ini.txt"});
  EXPECT_EQ(run.exitCode, kExitFindings);
  EXPECT_THAT(run.output, HasSubstr("Read /work/Scuffler.ini.txt\n"));
  EXPECT_THAT(run.output, HasSubstr("Rename it to Scuffler.ini"));
  EXPECT_THAT(run.output, Not(HasSubstr("When the game starts with this file")));
  run = Run({"sub/SCUFFLER.INI"});
  EXPECT_EQ(run.exitCode, kExitClean);
}

TEST_F(CheckProgram, EachFileGivenInTurnTheHighestExitCode) {
  Holds("/a/Scuffler.ini", kClean);
  Holds("/b/Scuffler.ini", kMistyped);
  CheckerRun run = Run({"/a/Scuffler.ini", "/b/Scuffler.ini"});
  EXPECT_EQ(run.exitCode, kExitFindings);
  EXPECT_THAT(run.output, HasSubstr("Read /a/Scuffler.ini\n"));
  EXPECT_THAT(run.output, HasSubstr("Read /b/Scuffler.ini\n"));
  run = Run({"/a/Scuffler.ini", "/missing/Scuffler.ini", "/b/Scuffler.ini"});
  EXPECT_EQ(run.exitCode, kExitNoFile);
  EXPECT_THAT(run.output,
              HasSubstr("/missing/Scuffler.ini\n  cannot be read: there is no such file."));
  run = Run({"/a/Scuffler.ini", "/a/Scuffler.ini"});
  EXPECT_EQ(run.exitCode, kExitClean);
}

TEST_F(CheckProgram, AHarmlessNoteAloneExitsClean) {
  Holds("/work/Scuffler.ini", "[Scuffler]\niKickToChest = F5 ; my key\n");
  const CheckerRun run = Run({});
  EXPECT_EQ(run.exitCode, kExitClean);
  EXPECT_THAT(run.output, HasSubstr("Notes, harmless:"));
}

TEST_F(CheckProgram, HelpPrintsTheUsage) {
  Holds("/work/--help", kClean);
  for (const char* help : {"--help", "-h", "/?"}) {
    const CheckerRun run = Run({help});
    EXPECT_EQ(run.exitCode, kExitClean) << help;
    EXPECT_THAT(run.output, testing::StartsWith("Usage: scuffler-check [FILE]...\n")) << help;
    EXPECT_THAT(run.output, HasSubstr("  2  no file could be read"));
  }
  EXPECT_THAT(gReads, testing::IsEmpty());
}

TEST_F(CheckProgram, EveryLineFitsAConsole) {
  const std::string deep = "/" + std::string(60, 'd') + "/" + std::string(50, 'e') + "/";
  Fails(deep + "Scuffler.ini", OpenFailure::Denied);
  Holds(deep + "Scuffler.ini.txt", kClean);
  for (const std::vector<std::string>& arguments :
       std::vector<std::vector<std::string>>{{}, {"--help"}, {deep + "Scuffler.ini"}}) {
    const CheckerRun run =
        RunChecker(arguments, {&ReadDouble, deep, deep + "x/", "scuffler-check"});
    std::size_t begin = 0;
    while (begin < run.output.size()) {
      const std::size_t end = run.output.find('\n', begin);
      EXPECT_LE(Columns(run.output.substr(begin, end - begin)), kConsoleColumns)
          << run.output.substr(begin, end - begin);
      begin = end + 1;
    }
  }
}

}  // namespace
}  // namespace scuffler
