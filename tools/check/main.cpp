// scuffler-check (Scuffler-check.exe in the release): tells a player what the plug-in makes of
// their Scuffler.ini. Reads the file named by its first argument (a file dropped onto the exe
// arrives there), else Scuffler.ini in the current folder, else the one beside the program.
// Exit code: 0 when the plug-in reads the file as it looks, 1 when it does not, 2 when there is
// no file to read.
#include <cstdio>
#include <string>
#include <vector>

#include "SettingsCheck.h"
#include "Wording.h"
#include "ini/IniFileLoader.h"
#include "platform/PlatformProgram.h"

namespace {

using scuffler::WriteOutput;

constexpr int kClean = 0;
constexpr int kFindings = 1;
constexpr int kNoFile = 2;

struct Found {
  std::string path;
  std::string bytes;
  bool read = false;
};

// The whole file at `path`, read by the plug-in's own reader.
Found ReadFile(const std::string& path) {
  Found found{path, std::string(), false};
  scuffler::IniFileLoader loader(std::string{});
  loader.file = scuffler::OpenForReadingUtf8(path);
  if (!scuffler::IsOpen(loader.file)) return found;
  scuffler::IniDocument document;
  scuffler::IniReadBuffers buffers;
  found.read = scuffler::Reparse(loader, document, buffers);
  found.bytes = std::move(buffers.bytes);
  return found;
}

bool Exists(const std::string& path) {
  scuffler::PlatformFile file = scuffler::OpenForReadingUtf8(path);
  const bool exists = scuffler::IsOpen(file);
  scuffler::CloseFile(file);
  return exists;
}

int NoFile(const std::vector<std::string>& looked) {
  std::string out = "No settings file found. Looked for:\n";
  for (const std::string& path : looked) out += "  " + scuffler::PrintablePath(path) + "\n";
  out +=
      "\nScuffler reads Scuffler.ini from the game's folder, the one that holds RDR2.exe (the "
      "folder the game runs in), not from where Scuffler.asi lies. Without it, the defaults "
      "apply.\n";
  for (const std::string& path : looked) {
    if (Exists(path + ".txt")) {
      out += "\n" + scuffler::PrintablePath(path) +
             ".txt is there instead: the editor added .txt and Windows hides it. Rename the file "
             "to Scuffler.ini (in Explorer: View, show file name extensions).\n";
    }
  }
  WriteOutput(out);
  return kNoFile;
}

// A path as given, made absolute against the current folder, so the report says which file it was.
std::string Absolute(const std::string& path) {
  const bool absolute =
      (!path.empty() && (path[0] == '/' || path[0] == '\\')) || (path.size() > 1 && path[1] == ':');
  return absolute ? path : scuffler::CurrentFolder() + path;
}

int Check(const std::vector<std::string>& arguments) {
  std::vector<std::string> candidates;
  if (!arguments.empty()) {
    candidates.push_back(Absolute(arguments[0]));
  } else {
    candidates.push_back(scuffler::CurrentFolder() + "Scuffler.ini");
    const std::string beside = scuffler::ProgramFolder() + "Scuffler.ini";
    if (beside != candidates[0]) candidates.push_back(beside);
  }
  for (const std::string& path : candidates) {
    const Found found = ReadFile(path);
    if (!found.read) continue;
    const scuffler::SettingsCheck check = scuffler::CheckSettingsText(found.bytes);
    WriteOutput(scuffler::FormatReport(check, path));
    return check.problems == 0 ? kClean : kFindings;
  }
  return NoFile(candidates);
}

}  // namespace

int main(int argc, char** argv) {
  WriteOutput("Scuffler " SCUFFLER_VERSION " settings check\n");
  const int result = Check(scuffler::ProgramArguments(argc, argv));
  if (scuffler::StartedOnItsOwnConsole()) {
    WriteOutput("\nPress Enter to close this window.");
    std::getchar();
  }
  return result;
}
