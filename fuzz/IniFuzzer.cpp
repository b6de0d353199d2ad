// libFuzzer target for the settings file: arbitrary bytes as Scuffler.ini go through the reader
// and line splitter, the line parser, the document model and LoadSettings with its conversions.
// Besides the sanitizers' own checks it traps when a property that holds for every input fails.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "ini/ClassifyLine.h"
#include "ini/IniFileLoader.h"
#include "ini/IniSource.h"
#include "settings/ConvertSetting.h"
#include "settings/Settings.h"
#include "settings/SettingsFile.h"

namespace {

using namespace scuffler;

std::filesystem::path gWorkDirectory;

void Check(bool holds) {
  if (!holds) __builtin_trap();
}

bool IsTrimmed(const std::string& text) {
  return text.empty() || (!IsIniWhitespace(static_cast<unsigned char>(text.front())) &&
                          !IsIniWhitespace(static_cast<unsigned char>(text.back())));
}

// The splitter removes these, so no name or value can hold one.
bool HasLineBytes(const std::string& text) {
  return text.find_first_of(std::string("\n\r\0", 3)) != std::string::npos;
}

template <typename V>
void CheckMap(const OrderedNameMap<V>& map) {
  Check(map.index.size() == map.entries.size());
  for (std::size_t i = 0; i < map.entries.size(); ++i) {
    const std::string& name = map.entries[i].first;
    Check(IsTrimmed(name) && !HasLineBytes(name));
    const auto found = map.index.find(name);
    Check(found != map.index.end() && found->second == i);
  }
}

void CheckDocument(const IniDocument& document) {
  CheckMap(document);
  for (const auto& [sectionName, section] : document.entries) {
    CheckMap(section);
    for (const auto& entry : section.entries) {
      Check(IsTrimmed(entry.second) && !HasLineBytes(entry.second));
    }
  }
}

bool SameDocument(const IniDocument& a, const IniDocument& b) {
  if (a.entries.size() != b.entries.size()) return false;
  for (std::size_t i = 0; i < a.entries.size(); ++i) {
    if (a.entries[i].first != b.entries[i].first ||
        a.entries[i].second.entries != b.entries[i].second.entries) {
      return false;
    }
  }
  return true;
}

void CheckLines(const std::string& bytes) {
  IniFileLoader loader("Scuffler.ini");
  const std::optional<std::vector<std::string>> lines = ReadLines(loader);
  Check(lines.has_value());
  std::size_t lineFeeds = 0;
  std::size_t kept = 0;
  for (const char byte : bytes) {
    if (byte == '\n')
      ++lineFeeds;
    else if (byte != '\r' && byte != '\0')
      ++kept;
  }
  Check(lines->size() == (bytes.empty() ? 0 : lineFeeds + 1));
  std::size_t total = 0;
  for (const std::string& line : *lines) {
    Check(!HasLineBytes(line));
    total += line.size();
  }
  Check(total == kept);
}

void CheckClassify(const std::string& line) {
  ParsedLine out{"x", "y"};
  const LineKind kind = ClassifyLine(line, out);
  Check(IsTrimmed(out.name));
  Check(IsTrimmed(out.value));
  switch (kind) {
    case LineKind::Blank:
    case LineKind::Comment:
    case LineKind::Unrecognised:
      Check(out.name.empty() && out.value.empty());
      break;
    case LineKind::Section:
      Check(out.value.empty());
      break;
    case LineKind::KeyValue:
      break;
  }
}

bool SameFloat(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// LoadSettings must assign exactly what converts and keep every other field.
void CheckLoadSettings(const IniDocument& expected) {
  const Settings before = gSettings;
  LoadSettings();
  Check(SameDocument(SettingsDocument, expected));
  const IniSection section = Lookup(expected, kSettingsSection);
  const auto keyCode = [&](const char* key, std::int32_t previous) {
    return ConvertKeyCode(Lookup(section, key)).value_or(previous);
  };
  Check(gSettings.iKickToChest == keyCode("iKickToChest", before.iKickToChest));
  Check(gSettings.iKickToLeg == keyCode("iKickToLeg", before.iKickToLeg));
  Check(gSettings.iKick1NoRagdoll == keyCode("iKick1NoRagdoll", before.iKick1NoRagdoll));
  Check(gSettings.iKick2MidFar == keyCode("iKick2MidFar", before.iKick2MidFar));
  Check(gSettings.iKick4Lowfar == keyCode("iKick4Lowfar", before.iKick4Lowfar));
  Check(SameFloat(gSettings.MAX_DISTANCE,
                  ConvertDistance(Lookup(section, "MAX_DISTANCE")).value_or(before.MAX_DISTANCE)));
}

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
    Check(file.good());
  }
  CheckLines(bytes);
  CheckClassify(bytes);  // the whole input as one line, line-end bytes and all

  IniDocument document;
  GetOrCreate(document, "stale");  // Read must start from an empty document
  Check(Read(IniSource{"Scuffler.ini"}, document));
  CheckDocument(document);
  CheckLoadSettings(document);

  // The conversions on raw text, beyond what the parser lets through (leading whitespace).
  ConvertKeyCode(bytes);
  ConvertDistance(bytes);
  return 0;
}
