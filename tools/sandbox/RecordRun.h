// What --record adds to a live run so that it ends with the recording the plug-in would have
// saved in the game: the settings file edited as a player would before recording, when it does
// not turn recording on, and a sink that writes the last tick's save to a file.
//
// The save itself is the game's: the session releases the save key before the last tick and the
// plug-in's own recorder, with its own format, hands the bytes to the sink.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "record/RecordingSink.h"

namespace sandbox {

// What --record sets iRecordSeconds to when the settings leave recording off.
constexpr int kRecordSecondsAdded = 60;

// Whether the settings file `text` (none: it does not open) turns recording on, read by the
// plug-in's own loader onto the default Settings.
bool TurnsRecordingOn(const std::optional<std::string>& text);

// `text` with iRecordSeconds = kRecordSecondsAdded as the last word of section [Scuffler], which
// a later line of a repeated section overrides (none: a file of that one line).
std::string WithRecordingOn(const std::optional<std::string>& text);

// A sink's save: writes the whole recording to the file named by `context` (a std::string),
// replacing it; false when it cannot.
bool SaveToNamedFile(const scuffler::ByteRun* runs, std::size_t count, void* context);

}  // namespace sandbox
