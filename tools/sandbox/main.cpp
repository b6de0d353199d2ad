// scuffler-sandbox: runs the real plug-in against the simulated script hook on a scenario and
// prints, tick by tick, what it did. See docs/sandbox.md for the scenario format and the trace.
#include <stdlib.h>  // mkdtemp

#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <string>

#include "DefaultScenario.h"
#include "RecordRun.h"
#include "Replay.h"
#include "Scenario.h"
#include "ScenarioFromRecording.h"
#include "Session.h"
#include "SvgMap.h"
#include "melee/ScriptLoop.h"
#include "record/RecordingFormat.h"
#include "record/RecordingReader.h"

namespace {

constexpr int kScenarioError = 1;
constexpr int kUsageError = 2;
constexpr int kReplayDiverged = 3;

const char* const kUsage =
    "usage: scuffler-sandbox [SCENARIO.json] [--svg MAP.svg] [--ini SETTINGS.ini]\n"
    "                        [--record RECORDING.bin] [--until TICK] [--peds]\n"
    "       scuffler-sandbox --replay RECORDING.bin [--svg MAP.svg] [--until TICK] [--peds]\n"
    "                        [--scenario OUT.json]\n"
    "       scuffler-sandbox --version\n"
    "Runs the Scuffler plug-in on a scenario (without one, the built-in quick-start scenario)\n"
    "with the Scuffler.ini of the working directory, and prints every tick that changed\n"
    "anything. --svg draws a top-down map of the last tick. --ini runs with a copy of the\n"
    "settings file given instead, in a private temporary folder: the file is never written.\n"
    "--record writes the recording the plug-in saves in the game when the save key is released\n"
    "at the last tick, running on a private copy of the settings file with iRecordSeconds = 60\n"
    "set when it leaves recording off.\n"
    "--until stops after that tick (numbered as the trace numbers them); --svg then maps it.\n"
    "--peds lists, at each tick with a key release, every ped the game listed and the first\n"
    "check it failed, or \"eligible\" and its distance, or \"not asked\".\n"
    "--replay runs the plug-in on a recording the game saved (Scuffler-recording-N.bin), in a\n"
    "private temporary folder, and exits with 3 at the first call that differs from it.\n"
    "--scenario also writes the recording as a scenario to run live and edit.\n";

struct Options {
  std::string scenarioFile;  // empty: the built-in scenario
  std::string svgFile;
  std::string iniFile;  // empty: the working directory's Scuffler.ini
  std::string replayFile;
  std::string recordFile;
  std::string scenarioOut;  // --replay's recording written as a scenario
  int until = 0;            // 0: every tick
  bool peds = false;
};

namespace fs = std::filesystem;

// A folder of its own under the system's temporary folder, holding a copy of the settings file
// the run was given, and the working directory while the session runs; removed with everything
// in it at the end.
class PrivateGameFolder {
 public:
  // With no settings text, the folder starts empty.
  explicit PrivateGameFolder(const std::optional<std::string>& settingsText) {
    std::string name = (fs::temp_directory_path() / "scuffler-sandbox-XXXXXX").string();
    if (mkdtemp(name.data()) == nullptr) throw std::runtime_error("cannot make a temporary folder");
    folder_ = name;
    if (settingsText) {
      std::ofstream copy(folder_ / "Scuffler.ini", std::ios::binary | std::ios::trunc);
      copy << *settingsText;
      if (!copy.flush()) throw std::runtime_error("cannot copy the settings file to " + name);
    }
    fs::current_path(folder_);
  }
  ~PrivateGameFolder() {
    std::error_code ignored;
    fs::current_path(before_, ignored);
    fs::remove_all(folder_, ignored);
  }
  PrivateGameFolder(const PrivateGameFolder&) = delete;
  PrivateGameFolder& operator=(const PrivateGameFolder&) = delete;

 private:
  fs::path before_ = fs::current_path();
  fs::path folder_;
};

int Fail(const std::string& message, int code) {
  std::cerr << "scuffler-sandbox: " << message << (message.back() == '\n' ? "" : "\n");
  return code;
}

// Read straight into one string of the file's size: a recording of tens of megabytes is held once.
bool ReadFile(const std::string& name, std::string& text) {
  std::error_code ignored;
  if (!std::filesystem::is_regular_file(name, ignored)) return false;
  std::ifstream file(name, std::ios::binary | std::ios::ate);
  if (!file) return false;
  const std::streamoff size = file.tellg();
  if (size < 0) return false;
  text.assign(static_cast<std::size_t>(size), '\0');
  file.seekg(0);
  return static_cast<bool>(file.read(text.data(), size));
}

// A recording from anyone: read only when its size is one a recording can have, replayed in a
// folder of its own, and every malformed file a one-line error.
int RunReplayOf(const Options& options) {
  const std::string& source = options.replayFile;
  std::error_code error;
  const std::uintmax_t size = fs::file_size(source, error);
  if (error) return Fail("cannot read " + source, kScenarioError);
  if (size > scuffler::recording::kLargestFile) {
    return Fail(source + ": not a recording: larger than any recording", kScenarioError);
  }
  std::string bytes;
  if (!ReadFile(source, bytes)) return Fail("cannot read " + source, kScenarioError);
  scuffler::recording::ReadRecording read = scuffler::recording::ParseRecording(std::move(bytes));
  if (!read.recording) return Fail(source + ": not a recording: " + read.error, kScenarioError);
  if (options.until > 0 && static_cast<std::uint32_t>(options.until) < read.recording->firstTick) {
    return Fail(source + ": --until " + std::to_string(options.until) +
                    " is before the recording's first tick, " +
                    std::to_string(read.recording->firstTick),
                kScenarioError);
  }
  if (!options.scenarioOut.empty()) {
    // Written before the replay runs: a recording another version made may diverge, and its
    // scenario is what a triager runs then.
    std::ofstream out(options.scenarioOut, std::ios::binary | std::ios::trunc);
    out << sandbox::ScenarioFromRecording(*read.recording, fs::path(source).filename().string());
    if (!out.flush()) return Fail("cannot write " + options.scenarioOut, kScenarioError);
  }
  const std::string svgFile = options.svgFile.empty() ? "" : fs::absolute(options.svgFile).string();
  sandbox::ReplayResult result;
  {
    const PrivateGameFolder folder(std::nullopt);
    result = sandbox::RunReplay(*read.recording, std::cout, &scuffler::RunTick,
                                static_cast<std::uint32_t>(options.until), options.peds);
  }
  std::cout.flush();
  if (!result.matched) {
    return Fail(source + ": the plug-in did not do what was recorded, at " + result.divergence,
                kReplayDiverged);
  }
  if (!svgFile.empty()) {
    std::ofstream svg(svgFile, std::ios::binary | std::ios::trunc);
    svg << sandbox::DrawMap(result.lastTick);
    if (!svg.flush()) return Fail("cannot write " + options.svgFile, kScenarioError);
  }
  return 0;
}

int Run(const Options& options) {
  if (!options.replayFile.empty()) return RunReplayOf(options);
  std::string text = sandbox::kDefaultScenarioText;
  std::string source = "built-in quick-start scenario";
  if (!options.scenarioFile.empty()) {
    source = options.scenarioFile;
    if (!ReadFile(source, text)) return Fail("cannot read " + source, kScenarioError);
  }
  const sandbox::ParsedScenario parsed = sandbox::ParseScenario(text, source);
  if (!parsed.scenario) {
    std::cerr << parsed.error << '\n';
    return kScenarioError;
  }
  // Named before the session may change the working directory.
  const std::string svgFile = options.svgFile.empty() ? "" : fs::absolute(options.svgFile).string();
  std::string recordPath =
      options.recordFile.empty() ? "" : fs::absolute(options.recordFile).string();
  std::optional<PrivateGameFolder> privateFolder;
  if (!options.iniFile.empty()) {
    std::string settings;
    if (!ReadFile(options.iniFile, settings)) {
      return Fail("cannot read " + options.iniFile, kScenarioError);
    }
    privateFolder.emplace(settings);
  } else if (!options.recordFile.empty()) {
    // --record may edit the settings file: never the player's own, only a copy of it.
    std::string settings;
    const bool found = ReadFile("Scuffler.ini", settings);
    if (!found && std::ifstream("Scuffler.ini").good()) {
      return Fail("cannot read Scuffler.ini", kScenarioError);
    }
    privateFolder.emplace(found ? std::optional<std::string>(settings) : std::nullopt);
  } else if (sandbox::WritesIni(*parsed.scenario) && std::ifstream("Scuffler.ini").good()) {
    return Fail(source +
                    " writes its own Scuffler.ini, but there is one in the working directory "
                    "already; run it from another directory (the file was left untouched)",
                kScenarioError);
  }
  const sandbox::RecordRequest record{{&sandbox::SaveToNamedFile, &recordPath}, options.recordFile};
  const sandbox::SessionResult result = sandbox::RunSession(
      *parsed.scenario, std::cout, options.recordFile.empty() ? nullptr : &record, options.until,
      options.peds);
  std::cout.flush();
  if (!options.recordFile.empty() && !result.saveOffered) {
    return Fail(
        "the plug-in saved no recording at the last tick (was the save key's release "
        "taken by a move bound to the same key?): " +
            options.recordFile + " not written",
        kScenarioError);
  }
  if (!options.recordFile.empty() && !result.saveKept) {
    return Fail("cannot write " + options.recordFile, kScenarioError);
  }
  if (!svgFile.empty()) {
    std::ofstream svg(svgFile, std::ios::binary | std::ios::trunc);
    svg << sandbox::DrawMap(result.lastTick);
    if (!svg.flush()) return Fail("cannot write " + options.svgFile, kScenarioError);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "-h" || argument == "--help") {
      std::cout << kUsage;
      return 0;
    }
    if (argument == "--version") {
      std::cout << "scuffler-sandbox " SCUFFLER_VERSION "\n";
      return 0;
    }
    if (argument == "--peds") {
      options.peds = true;
      continue;
    }
    if (argument == "--until") {
      // A tick number: digits only, 1 to 9 of them, not 0.
      const std::string value = i + 1 < argc ? argv[i + 1] : "";
      if (value.empty() || value.size() > 9 ||
          value.find_first_not_of("0123456789") != std::string::npos || std::stoi(value) == 0) {
        return Fail("--until needs a tick number from 1\n" + std::string(kUsage), kUsageError);
      }
      options.until = std::stoi(value);
      ++i;
      continue;
    }
    if (argument == "--svg" || argument == "--ini" || argument == "--replay" ||
        argument == "--record" || argument == "--scenario") {
      if (i + 1 == argc) {
        return Fail(argument + " needs a file name\n" + std::string(kUsage), kUsageError);
      }
      (argument == "--svg"        ? options.svgFile
       : argument == "--ini"      ? options.iniFile
       : argument == "--replay"   ? options.replayFile
       : argument == "--scenario" ? options.scenarioOut
                                  : options.recordFile) = argv[++i];
    } else if (argument.size() > 1 && argument[0] == '-') {
      return Fail("unknown option " + argument + "\n" + kUsage, kUsageError);
    } else if (options.scenarioFile.empty()) {
      options.scenarioFile = argument;
    } else {
      return Fail("give one scenario at a time\n" + std::string(kUsage), kUsageError);
    }
  }
  if (options.replayFile.empty() && !options.scenarioOut.empty()) {
    return Fail(
        "--scenario needs --replay: it turns a recording into a scenario\n" + std::string(kUsage),
        kUsageError);
  }
  if (!options.replayFile.empty() && !options.recordFile.empty()) {
    return Fail("--replay takes no --record: a replay saves no recording\n" + std::string(kUsage),
                kUsageError);
  }
  if (!options.replayFile.empty() && (!options.scenarioFile.empty() || !options.iniFile.empty())) {
    return Fail("--replay takes neither a scenario nor --ini: the recording holds both\n" +
                    std::string(kUsage),
                kUsageError);
  }
  try {
    return Run(options);
  } catch (const std::exception& error) {
    return Fail(error.what(), kScenarioError);
  }
}
