// scuffler-check (Scuffler-check.exe in the release): tells a player what the plug-in makes of
// their Scuffler.ini. What it reads and says is CheckProgram's; here are the real files, folders
// and console. Exit codes: CheckProgram.h.
#include <cstdio>
#include <string>

#include "CheckProgram.h"
#include "ini/IniFileLoader.h"
#include "platform/PlatformProgram.h"

namespace {

// The whole file at `path`, read by the plug-in's own reader.
scuffler::FileRead ReadFile(const std::string& path) {
  scuffler::FileRead found;
  scuffler::IniFileLoader loader(std::string{});
  loader.file = scuffler::OpenForReadingUtf8(path, found.failure);
  if (!scuffler::IsOpen(loader.file)) return found;
  scuffler::IniDocument document;
  scuffler::IniReadBuffers buffers;
  if (!scuffler::Reparse(loader, document, buffers)) found.failure = scuffler::OpenFailure::Other;
  found.bytes = std::move(buffers.bytes);
  return found;
}

}  // namespace

int main(int argc, char** argv) {
#if defined(_WIN32)
  const char* const name = "Scuffler-check.exe";
#else
  const char* const name = "scuffler-check";
#endif
  const scuffler::CheckerSystem system{&ReadFile, scuffler::CurrentFolder(),
                                       scuffler::ProgramFolder(), name};
  scuffler::WriteOutput("Scuffler " SCUFFLER_VERSION " settings check\n\n");
  const scuffler::CheckerRun run =
      scuffler::RunChecker(scuffler::ProgramArguments(argc, argv), system);
  scuffler::WriteOutput(run.output);
  if (scuffler::StartedOnItsOwnConsole()) {
    scuffler::WriteOutput("\nPress Enter to close this window.");
    std::getchar();
  }
  return run.exitCode;
}
