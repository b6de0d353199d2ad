#include "Properties.h"

#include <cstring>

#include "platform/Platform.h"

#include "ini/ClassifyLine.h"
#include "ini/ForEachLine.h"
#include "ini/OrderedNameMap.h"
#include "settings/ConvertSetting.h"
#include "settings/SettingsFile.h"

namespace fuzz {
namespace {

using namespace scuffler;

bool IsTrimmed(const std::string& text) {
  return text.empty() || (!IsIniWhitespace(static_cast<unsigned char>(text.front())) &&
                          !IsIniWhitespace(static_cast<unsigned char>(text.back())));
}

// The splitter removes these, so no line, name or value can hold one.
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

bool SameFloat(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

void Check(bool holds) {
  if (!holds) __builtin_trap();
}

void CheckLines(std::string_view bytes) {
  std::size_t lines = 0;
  std::size_t total = 0;
  std::string lineCopy;
  ForEachLine(bytes, lineCopy, [&](std::string_view line) {
    ++lines;
    total += line.size();
    Check(line.find_first_of(std::string_view("\n\r\0", 3)) == std::string_view::npos);
    return true;
  });
  std::size_t lineFeeds = 0;
  std::size_t kept = 0;
  for (const char byte : bytes) {
    if (byte == '\n')
      ++lineFeeds;
    else if (byte != '\r' && byte != '\0')
      ++kept;
  }
  Check(lines == (bytes.empty() ? 0 : lineFeeds + 1));
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

IniDocument ReferenceDocument(std::string_view bytes) {
  IniDocument document;
  IniSection* section = nullptr;
  LineParts parts;
  std::string lineCopy;
  std::string key;
  ForEachLine(bytes, lineCopy, [&](std::string_view line) {
    switch (SplitLine(line, parts)) {
      case LineKind::Section:
        section = &GetOrCreate(document, std::string(parts.name));
        break;
      case LineKind::KeyValue:
        if (section != nullptr) {
          GetOrCreate(*section, std::string(UnescapedKey(parts, key))) = parts.value;
        }
        break;
      case LineKind::Blank:
      case LineKind::Comment:
      case LineKind::Unrecognised:
        break;
    }
    return true;
  });
  return document;
}

void CheckEntries(const IniDocument& document, const IniDocument& expected) {
  Check(document.entries.size() == expected.entries.size());
  for (std::size_t i = 0; i < document.entries.size(); ++i) {
    Check(document.entries[i].first == expected.entries[i].first);
    Check(document.entries[i].second.entries == expected.entries[i].second.entries);
  }
}

void CheckDocument(const IniDocument& document, const IniDocument& expected) {
  // Entries equal, and each map's index consistent with its entries: then the indexes are equal.
  CheckEntries(document, expected);
  CheckMap(document);
  for (const auto& [name, section] : document.entries) {
    CheckMap(section);
    for (const auto& entry : section.entries) {
      Check(IsTrimmed(entry.second) && !HasLineBytes(entry.second));
    }
  }
}

void CheckSettings(const Settings& before, const IniDocument& document) {
  static const std::string kNoText;
  const IniSection* section = FindValue(document, kSettingsSection);
  const auto text = [section](const char* key) -> const std::string& {
    const std::string* value = section != nullptr ? FindValue(*section, key) : nullptr;
    return value != nullptr ? *value : kNoText;
  };
  const auto keyCode = [&](const char* key, std::int32_t previous) {
    return ConvertKeyCode(text(key)).value.value_or(previous);
  };
  Check(gSettings.iKickToChest == keyCode("iKickToChest", before.iKickToChest));
  Check(gSettings.iKickToLeg == keyCode("iKickToLeg", before.iKickToLeg));
  Check(gSettings.iKick1NoRagdoll == keyCode("iKick1NoRagdoll", before.iKick1NoRagdoll));
  Check(gSettings.iKick2MidFar == keyCode("iKick2MidFar", before.iKick2MidFar));
  Check(gSettings.iKick4Lowfar == keyCode("iKick4Lowfar", before.iKick4Lowfar));
  Check(SameFloat(gSettings.MAX_DISTANCE,
                  ConvertDistance(text("MAX_DISTANCE")).value.value_or(before.MAX_DISTANCE)));
  Check(gSettings.iControllerRandomKick ==
        ConvertSwitch(text("iControllerRandomKick")).value.value_or(before.iControllerRandomKick));
}

}  // namespace fuzz

// The clock the recorder and the key table read: no game here, and the recorder never turns on.
extern "C" DWORD GetTickCount() { return 0; }
