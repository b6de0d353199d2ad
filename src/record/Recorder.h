// The recorder: while iRecordSeconds is above 0, keeps what the plug-in observed in its last
// ticks (the clock, every native call, the ped list, each key test, the settings file and the
// Settings it gave) in one fixed block of memory, and hands it to a sink when the save key is
// released, so that the sandbox can replay those ticks call for call. The layout is
// RecordingFormat.h's.
//
// The floors below know nothing of it: while it records it puts itself in their taps (the hook's
// NativeTap, the key table's KeyTestTap) and the tick hands its RecordSettingsFile to
// LoadSettings. Off (the default), each place that records costs one test, no memory is held and
// nothing is saved. On, the block (kRecorderBlockBytes) is taken once, when recording turns on,
// and given back when it turns off; a steady tick allocates nothing.
//
// Script context only: every function here runs on the script's thread.
#pragma once

#include <cstddef>
#include <cstdint>

#include "record/RecordingSink.h"
#include "settings/Settings.h"

namespace scuffler {

constexpr std::size_t kRecorderBlockBytes = 64u << 20;

// Where later saves go; kFolderSink until changed.
void SetRecordingSink(const RecordingSink& sink);

// Turns recording on when `settings` want it (RecordingWanted; the block is taken) and off when
// they do not (it is given back). A block that could not be had is not asked for again until
// iRecordSeconds changes.
void ApplyRecordSettings(const Settings& settings);

// Whether the block is held and ticks are being kept.
bool IsRecording();

// Start of a tick: counts it and, while on, reads the clock once, drops the ticks older than
// iRecordSeconds and opens the tick's record.
void BeginRecordedTick();

// LoadSettings's observer while on: the file did not open (`opened` false), could not be read
// (`bytes` null) or held `size` bytes.
void RecordSettingsFile(bool opened, const char* bytes, std::size_t size);

// While on, the Settings a load left.
void RecordSettings(const Settings& settings);

// End of the tick's work: while on, tests the save key and, on its release, hands the kept ticks
// (this one included) to the sink. A save the sink refuses changes nothing kept.
void RunSaveKey();

// Closes the tick's record.
void EndRecordedTick();

// Drops everything kept and gives the block back; the next ApplyRecordSettings starts afresh.
void StopRecording();

// The plug-in's version, as the recordings it saves name it.
const char* PluginVersion();

// Ticks kept now (complete ones), for tests.
std::uint32_t RecordedTickCount();

// Ticks begun since the plug-in loaded, as a recording numbers them.
std::uint32_t TicksRun();

}  // namespace scuffler
