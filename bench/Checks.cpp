// bench --check: the figures of the benchmark that are exact, asserted for ctest. Timings are
// never asserted here.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "Benchmarks.h"
#include "Crowd.h"
#include "SimHook.h"
#include "hook/NativeHashes.h"
#include "hook/ScriptHook.h"
#include "input/KeyStateTable.h"
#include "melee/ScriptLoop.h"
#include "record/Recorder.h"
#include "settings/Settings.h"
#include "settings/SettingsFile.h"

namespace bench {
namespace {

int gFailures = 0;

void Expect(bool holds, const std::string& what, std::uint64_t actual, std::uint64_t expected) {
  std::cout << (holds ? "ok      " : "FAILED  ") << what << ": " << actual;
  if (!holds) std::cout << ", expected " << expected;
  std::cout << '\n';
  if (!holds) ++gFailures;
}

// Every trigger fires: the five bound keys were released just now and the special-ability action
// was just pressed on a controller, so six actions start against the nearest ped.
void MakeEveryTriggerFire() {
  keyboardHandlerRegister(scuffler::RecordKeyMessage);
  sim::SetAnswer(scuffler::hash::kIsUsingKeyboardAndMouse, 0);
  sim::SetAnswer(scuffler::hash::kIsControlJustPressed, 1);
  for (const std::uint32_t key : {71u, 38u, 40u, 39u, 37u}) sim::TapKey(key);
}

std::string ReadSettingsFile() {
  std::ifstream file("Scuffler.ini", std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void WriteSettingsFile(const std::string& bytes) {
  std::ofstream("Scuffler.ini", std::ios::binary | std::ios::trunc) << bytes;
}

// `ini` with the value of every key line but iRecordSeconds replaced by 1, line ends kept: the
// same sections and keys in the same order, as when a player edits values. Recording stays off.
std::string WithOtherValues(const std::string& ini) {
  std::string edited;
  std::size_t begin = 0;
  while (begin < ini.size()) {
    std::size_t end = ini.find('\n', begin);
    end = end == std::string::npos ? ini.size() : end + 1;
    std::string line = ini.substr(begin, end - begin);
    const std::size_t equals = line.find('=');
    if (line[0] != ';' && equals != std::string::npos && line.rfind("iRecordSeconds", 0) != 0) {
      const bool crlf = line.size() >= 2 && line[line.size() - 2] == '\r';
      line = line.substr(0, equals + 1) + " 1" + (crlf ? "\r\n" : "\n");
    }
    edited += line;
    begin = end;
  }
  return edited;
}

// A steady tick among `peds` peds: the natives a tick asks, no allocation, one open of the file.
void ExpectSteadyTick(const TickCost& tick, int peds, const std::string& crowd) {
  Expect(tick.natives == ExpectedNativesPerTick(peds), "native calls per tick" + crowd,
         tick.natives, ExpectedNativesPerTick(peds));
  Expect(tick.allocations == 0, "allocations per tick" + crowd, tick.allocations, 0);
  Expect(tick.fileOpens == 1, "opens of Scuffler.ini per tick" + crowd, tick.fileOpens, 1);
}

}  // namespace

int RunChecks(const ScratchDirectories& directories) {
  directories.EnterWithoutIni();
  for (const int peds : {0, 64, 1024}) {
    BuildCrowd(peds);
    const TickCost tick = Measure(scuffler::RunTick);
    const std::string crowd = " (" + std::to_string(peds) + " peds, no Scuffler.ini)";
    ExpectSteadyTick(tick, peds, crowd);
  }

  // Recording on: the block is taken by the load that turns it on, and a tick after takes nothing
  // and asks the game exactly what it asks with recording off.
  for (const int peds : {64, 1024}) {
    BuildCrowd(peds);
    SetRecording(true);
    scuffler::RunTick();
    const TickCost tick = Measure(scuffler::RunTick);
    const std::string crowd = " (" + std::to_string(peds) + " peds, recording on)";
    ExpectSteadyTick(tick, peds, crowd);
    // Reported only: what a tick takes in a saved recording, which says how many seconds fit.
    keyboardHandlerRegister(scuffler::RecordKeyMessage);
    sim::TapKey(145);
    scuffler::RunTick();
    const std::uint64_t ticks = scuffler::RecordedTickCount();
    std::ifstream saved("Scuffler-recording-1.bin", std::ios::binary | std::ios::ate);
    const auto bytes = static_cast<std::uint64_t>(saved.tellg());
    saved.close();
    std::remove("Scuffler-recording-1.bin");
    std::cout << "info    recording: " << bytes << " bytes for " << ticks << " ticks" << crowd
              << ", about " << bytes / ticks << " a tick\n";
    SetRecording(false);
  }

  directories.EnterWithDefaultIni();
  BuildCrowd(64);
  scuffler::LoadSettings();  // the first read builds the document; the ticks after it reuse it
  const TickCost steady = Measure(scuffler::RunTick);
  Expect(steady.allocations == 0, "allocations per tick, the shipped Scuffler.ini unchanged",
         steady.allocations, 0);
  Expect(steady.fileOpens == 1, "opens of Scuffler.ini per tick, the file present",
         steady.fileOpens, 1);

  const std::string shipped = ReadSettingsFile();
  WriteSettingsFile(WithOtherValues(shipped));
  const TickCost edited = Measure(scuffler::RunTick);
  Expect(edited.allocations == 0,
         "allocations per tick, the shipped file with other values (same sections and keys)",
         edited.allocations, 0);
  WriteSettingsFile(shipped);

  scuffler::LoadSettings();
  MakeEveryTriggerFire();
  const TickCost busy = Measure(TickWithoutSettings);
  const std::uint64_t started = sim::TakeActions().size();
  Expect(started == 6, "actions started with every trigger firing", started, 6);
  Expect(busy.allocations == 0,
         "allocations per tick apart from LoadSettings, every trigger firing", busy.allocations, 0);

  // Reported only: the count depends on the standard library.
  scuffler::Clear(scuffler::SettingsDocument);
  scuffler::ForgetParsedBytes(scuffler::SettingsReadBuffers);
  std::cout << "info    allocations in LoadSettings with the shipped file, read into an empty "
               "document: "
            << Measure([] { scuffler::LoadSettings(); }).allocations << '\n';
  return gFailures;
}

}  // namespace bench
