// The recorder: while iRecordSeconds is above 0, keeps what the plug-in observed in its last
// ticks (the clock, every native call, the ped list, each key test, the settings file and the
// Settings it gave) in one fixed block of memory, and writes it to Scuffler-recording-N.bin when
// the save key is released, so that the sandbox can replay those ticks call for call. The layout
// is RecordingFormat.h's.
//
// Off (the default), each place that records costs one test of gRecorderOn, no memory is held
// and no file is written. On, the block (kRecorderBlockBytes) is taken once, when a load turns
// recording on, and given back when one turns it off; a steady tick allocates nothing.
//
// Script context only: every function here runs on the script's thread.
#pragma once

#include <cstddef>
#include <cstdint>

namespace scuffler {

// Whether the block is held and ticks are being kept. Read at every place that records.
extern bool gRecorderOn;

constexpr std::size_t kRecorderBlockBytes = 64u << 20;

enum class RecorderMode : std::uint8_t {
  Game,     // as in the game: keeps ticks and writes files
  Sandbox,  // the sandbox's live runs and replays: the save key is tested whenever the settings
            // ask for recording, as the game tests it, but nothing is kept and no file written
};

void SetRecorderMode(RecorderMode mode);

// Start of a tick: counts it and, while on, reads the clock once, drops the ticks older than
// iRecordSeconds and opens the tick's record.
void BeginRecordedTick();

// While on, the native call `hash` with `count` pushed `slots` (the one at `textSlot`, when it is
// not -1, being `text`) and the `result` it gave.
void RecordNative(std::uint64_t hash, const std::uint64_t* slots, std::size_t count, int textSlot,
                  const char* text, const std::uint64_t* result);

// While on, what worldGetAllPeds returned: `reported`, and the buffer's first handles.
void RecordPeds(const int* peds, int reported, int capacity);

// ConsumeKeyRelease(keyCode), recorded while on: the key test the triggers and the save key make.
bool TestKeyRelease(std::int32_t keyCode);

// What LoadSettings found, while on: the file did not open (`opened` false), could not be read
// (`bytes` null) or held `size` bytes.
void RecordSettingsFile(bool opened, const char* bytes, std::size_t size);

// While on, the Settings after the load; then turns recording on or off as they say.
void RecordSettingsAndApply();

// End of the tick's work: while the settings ask for recording, tests the save key and, on its
// release, writes the kept ticks (this one included) to the next Scuffler-recording-N.bin in the
// current directory, keeping the 5 newest. A save that fails leaves no file and changes nothing.
void RunSaveKey();

// Closes the tick's record.
void EndRecordedTick();

// The file name of recording `number`, written to `name` (room for 40 bytes).
void RecordingFileName(std::uint32_t number, char* name);

// Drops everything kept and gives the block back (also what a load with iRecordSeconds 0 does).
void StopRecording();

// Ticks kept now (complete ones), for tests.
std::uint32_t RecordedTickCount();

// Ticks begun since the plug-in loaded, as a recording numbers them.
std::uint32_t TicksRun();

}  // namespace scuffler
