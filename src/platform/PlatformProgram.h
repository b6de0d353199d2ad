// What a stand-alone program of the package (the settings checker) needs of the operating system
// beyond reading a file: its arguments, where it stands, and whether a person is waiting at its
// console. Paths are UTF-8 everywhere; on Windows they go through the wide calls, so any path a
// player's folders have works. Never linked into the plug-in.
//
// Each function is safe from any thread, but the programs using them have only one.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/PlatformFile.h"

namespace scuffler {

// The program's arguments after its own name, in UTF-8. `argc` and `argv` are main's; on Windows
// they are ignored for the wide command line, which holds any character.
std::vector<std::string> ProgramArguments(int argc, char** argv);

// The folder the program's file lies in, ending in a path separator; empty when unknown.
std::string ProgramFolder();

// The current directory, ending in a path separator; empty when unknown.
std::string CurrentFolder();

// Why a file did not open for reading.
enum class OpenFailure : std::uint8_t {
  None,     // it opened
  Missing,  // no such file, or no such folder on the way to it
  Folder,   // it is a folder
  Denied,   // the system denies access to it
  InUse,    // another program holds it and shares it with nobody
  Other,    // any other reason
};

// Opens `path` (UTF-8, relative names against the current directory) as OpenForReading does, and
// says why when it does not open. A folder never opens.
PlatformFile OpenForReadingUtf8(const std::string& path, OpenFailure& failure);

// True only when the program was started on a console of its own (a double-click in Explorer)
// with a console as its input: its window would close before its output could be read. False
// from a command prompt, a script, CTest or Wine.
bool StartedOnItsOwnConsole();

// Writes `text` (UTF-8) to standard output, as the console shows it.
void WriteOutput(const std::string& text);

}  // namespace scuffler
