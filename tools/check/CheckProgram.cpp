#include "CheckProgram.h"

#include <algorithm>

#include "SettingsCheck.h"
#include "Wording.h"

namespace scuffler {
namespace {

constexpr char kFileName[] = "Scuffler.ini";

bool IsHelp(const std::string& argument) {
  return argument == "--help" || argument == "-h" || argument == "/?";
}

std::string Usage(const CheckerSystem& system) {
  return "Usage: " + system.programName + " [FILE]...\n\n" +
         Wrapped(
             "Tells what Scuffler makes of its settings file: every setting with the value it "
             "uses, and each line it ignores, reads otherwise than it looks, or binds to a key "
             "that never fires or that something else takes first, with what to write "
             "instead.",
             "") +
         "\n" +
         Wrapped(
             "With no FILE, it checks Scuffler.ini in the current folder, else the one beside " +
                 system.programName +
                 ". Several files (several dropped onto it) are checked in turn.",
             "") +
         "\nExit code, the highest of all files checked:\n"
         "  0  every file is read as it looks\n"
         "  1  a file has a problem, or is not named Scuffler.ini\n"
         "  2  no file could be read: a file given, or every one looked for\n";
}

// A path as given, made absolute against the current folder, so the report says which file it was.
std::string Absolute(const std::string& path, const CheckerSystem& system) {
  const bool absolute =
      (!path.empty() && (path[0] == '/' || path[0] == '\\')) || (path.size() > 1 && path[1] == ':');
  return absolute ? path : system.currentFolder + path;
}

std::string BaseName(const std::string& path) {
  const std::size_t separator = path.find_last_of("/\\");
  return separator == std::string::npos ? path : path.substr(separator + 1);
}

// Why `failure` kept a file from being read, as the end of "cannot be read: ".
std::string Why(OpenFailure failure) {
  switch (failure) {
    case OpenFailure::Missing:
      return "there is no such file.";
    case OpenFailure::Folder:
      return "it is a folder, not a file. Scuffler reads the file Scuffler.ini in the game's "
             "folder: check that file.";
    case OpenFailure::Denied:
      return "access to it is denied. Check that your user may read it (in Explorer: right-click, "
             "Properties, Security), or copy it somewhere you may.";
    case OpenFailure::InUse:
      return "another program holds it open and lets no other read it. Close that program and "
             "check again.";
    case OpenFailure::None:
    case OpenFailure::Other:
      break;
  }
  return "the system would not open it.";
}

std::string CannotRead(const std::string& path, OpenFailure failure) {
  return WrappedPath("", path) + Wrapped("cannot be read: " + Why(failure), "  ");
}

// The report on one file that was read.
int Report(const std::string& path, const FileRead& file, std::string& out) {
  SettingsCheck check = CheckSettingsText(file.bytes);
  JudgeFileName(check, BaseName(path));
  out += FormatReport(check, path);
  return check.problems == 0 ? kExitClean : kExitFindings;
}

int CheckGiven(const std::string& argument, const CheckerSystem& system, std::string& out) {
  const std::string path = Absolute(argument, system);
  const FileRead file = system.read(path);
  if (file.failure == OpenFailure::None) return Report(path, file, out);
  out += CannotRead(path, file.failure);
  if (file.failure == OpenFailure::Missing &&
      system.read(path + ".txt").failure == OpenFailure::None) {
    out += Wrapped(BaseName(path) +
                       ".txt is there instead: the editor added .txt and Windows hides "
                       "it. Rename the file to " +
                       BaseName(path) + " (in Explorer, turn on View, File name extensions).",
                   "  ");
  }
  return kExitNoFile;
}

int Search(const CheckerSystem& system, std::string& out) {
  std::vector<std::string> looked = {system.currentFolder + kFileName};
  if (!system.programFolder.empty() && system.programFolder + kFileName != looked[0]) {
    looked.push_back(system.programFolder + kFileName);
  }
  std::string unread;
  for (const std::string& path : looked) {
    const FileRead file = system.read(path);
    if (file.failure == OpenFailure::None) {
      out += unread.empty() ? "" : unread + "\n";
      return Report(path, file, out);
    }
    if (file.failure != OpenFailure::Missing) unread += CannotRead(path, file.failure);
  }
  out += unread.empty() ? "" : unread + "\n";
  out += "No settings file could be read. Looked for:\n";
  for (const std::string& path : looked) out += WrappedPath("  ", path);
  out += "\n" + Wrapped(
                    "Scuffler reads Scuffler.ini from the game's folder, the one that holds "
                    "RDR2.exe (the folder the game runs in), not from where Scuffler.asi "
                    "lies. Without it, the defaults apply.",
                    "");
  for (const std::string& path : looked) {
    if (system.read(path + ".txt").failure != OpenFailure::None) continue;
    out += "\n" + WrappedPath("", path + ".txt") +
           Wrapped(
               "is there instead: the editor added .txt and Windows hides it. Rename the "
               "file to Scuffler.ini (in Explorer, turn on View, File name extensions).",
               "  ");
  }
  return kExitNoFile;
}

}  // namespace

CheckerRun RunChecker(const std::vector<std::string>& arguments, const CheckerSystem& system) {
  CheckerRun run;
  if (std::any_of(arguments.begin(), arguments.end(), IsHelp)) {
    run.output = Usage(system);
    return run;
  }
  if (arguments.empty()) {
    run.exitCode = Search(system, run.output);
    return run;
  }
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (i != 0) run.output += "\n" + std::string(kConsoleColumns, '-') + "\n\n";
    run.exitCode = std::max(run.exitCode, CheckGiven(arguments[i], system, run.output));
  }
  return run;
}

}  // namespace scuffler
