// The settings checker as a program: which files it reads, what it says of each and its exit
// code, given its arguments and the system around it (CheckerSystem), so that tests can stand in
// for any file, an unreadable one included. main.cpp hands it the real system.
//
// Pure functions; any thread.
#pragma once

#include <string>
#include <vector>

#include "platform/PlatformProgram.h"

namespace scuffler {

// Exit codes, the highest of every file checked.
constexpr int kExitClean = 0;     // every file read, and read as it looks; also after --help
constexpr int kExitFindings = 1;  // a file read has a problem, or is not named Scuffler.ini
constexpr int kExitNoFile = 2;    // a file given, or every file looked for, could not be read

// What reading one file gave: its bytes, or why it did not open.
struct FileRead {
  OpenFailure failure = OpenFailure::Missing;
  std::string bytes;
};

struct CheckerSystem {
  FileRead (*read)(const std::string& path);
  std::string currentFolder;  // ending in a separator
  std::string programFolder;  // ending in a separator; empty when unknown
  std::string programName;    // as a player types it: Scuffler-check.exe
};

struct CheckerRun {
  int exitCode = kExitClean;
  std::string output;  // lines of at most kConsoleColumns
};

// Checks each file of `arguments` in turn (a file dropped onto the exe arrives there) or, with
// none, Scuffler.ini in the current folder, else the one beside the program. --help, -h or /?
// anywhere prints the usage instead.
CheckerRun RunChecker(const std::vector<std::string>& arguments, const CheckerSystem& system);

}  // namespace scuffler
