// libFuzzer target for the settings file on disk: arbitrary bytes are written as Scuffler.ini and
// go through the reader (one open, size, read, close), ReadLines, IniSource Read and LoadSettings,
// as a tick does. Slower than the memory target, since each input is a file; it keeps the file
// path covered.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "Properties.h"
#include "ini/ForEachLine.h"
#include "ini/IniFileLoader.h"
#include "ini/IniSource.h"
#include "settings/Settings.h"
#include "settings/SettingsFile.h"

namespace {

using namespace scuffler;

std::filesystem::path gWorkDirectory;

void RemoveWorkDirectory() {
  std::error_code error;
  std::filesystem::remove_all(gWorkDirectory, error);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // The target writes Scuffler.ini into the current directory: make that a private one.
  std::string pattern = (std::filesystem::temp_directory_path() / "scuffler-fuzz-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) std::abort();
  gWorkDirectory = pattern;
  std::filesystem::current_path(gWorkDirectory);
  std::atexit(RemoveWorkDirectory);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  {
    std::ofstream file("Scuffler.ini", std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    fuzz::Check(file.good());
  }
  fuzz::CheckLines(bytes);
  // ReadLines from the file gives the lines the splitter makes of the bytes.
  IniFileLoader loader("Scuffler.ini");
  const std::optional<std::vector<std::string>> lines = ReadLines(loader);
  fuzz::Check(lines.has_value());
  std::string joined;
  for (const std::string& line : *lines) joined += line + '\n';
  std::string expectedJoined;
  std::string lineCopy;
  ForEachLine(bytes, lineCopy, [&](std::string_view line) {
    expectedJoined.append(line).push_back('\n');
    return true;
  });
  fuzz::Check(joined == expectedJoined);
  const IniDocument expected = fuzz::ReferenceDocument(bytes);

  IniDocument document;
  GetOrCreate(document, "stale");  // Read must not keep what the document held
  fuzz::Check(Read(IniSource{"Scuffler.ini"}, document) == ReadResult::Rebuilt);
  fuzz::CheckDocument(document, expected);

  // As a tick does it, twice: the second time onto the document the first one made, with the
  // bytes unchanged, so nothing is parsed again.
  for (int tick = 0; tick < 2; ++tick) {
    const Settings before = gSettings;
    LoadSettings();
    fuzz::CheckDocument(SettingsDocument, expected);
    fuzz::CheckSettings(before, expected);
  }
  // Nothing is kept for the next input, so that libFuzzer's leak check stays quiet.
  SettingsDocument = IniDocument();
  SettingsReadBuffers = IniReadBuffers();
  return 0;
}
