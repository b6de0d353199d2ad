#include "record/RecordingFormat.h"

#include "settings/SettingsTable.h"

namespace scuffler::recording {

unsigned char* PutSettings(unsigned char* out, const Settings& settings) {
  *out++ = kTagSettings;
  for (const SettingField& field : kSettingFields) {
    switch (field.type) {
      case SettingType::KeyCode:
        out = PutVarint(out, static_cast<std::uint32_t>(settings.*field.keyCode));
        break;
      case SettingType::Seconds:
        out = PutVarint(out, static_cast<std::uint32_t>(settings.*field.seconds));
        break;
      case SettingType::Distance:
        out = PutU32(out, FloatBits(settings.*field.distance));
        break;
      case SettingType::Switch:
        *out++ = settings.*field.toggle ? 1 : 0;
        break;
    }
  }
  return out;
}

const unsigned char* GetVarint(const unsigned char* in, const unsigned char* end,
                               std::uint64_t& value) {
  value = 0;
  for (unsigned shift = 0; shift < 64; shift += 7) {
    if (in == end) return nullptr;
    const unsigned char byte = *in++;
    value |= static_cast<std::uint64_t>(byte & 0x7F) << shift;
    if ((byte & 0x80) == 0) return in;
  }
  return nullptr;
}

const unsigned char* GetSettings(const unsigned char* in, const unsigned char* end,
                                 Settings& settings) {
  for (const SettingField& field : kSettingFields) {
    std::uint64_t number = 0;
    switch (field.type) {
      case SettingType::KeyCode:
      case SettingType::Seconds:
        in = GetVarint(in, end, number);
        if (in == nullptr || number > 0xFFFFFFFFu) return nullptr;
        (field.type == SettingType::KeyCode ? settings.*field.keyCode : settings.*field.seconds) =
            static_cast<std::int32_t>(static_cast<std::uint32_t>(number));
        break;
      case SettingType::Distance: {
        if (end - in < 4) return nullptr;
        const std::uint32_t bits = GetU32(in);
        std::memcpy(&(settings.*field.distance), &bits, sizeof bits);
        in += 4;
        break;
      }
      case SettingType::Switch:
        if (in == end || *in > 1) return nullptr;
        settings.*field.toggle = *in++ == 1;
        break;
    }
  }
  return in;
}

std::uint64_t Fnv1a(std::uint64_t hash, const unsigned char* bytes, std::size_t size) {
  for (std::size_t i = 0; i < size; ++i) {
    hash ^= bytes[i];
    hash *= 0x100000001B3ull;
  }
  return hash;
}

}  // namespace scuffler::recording
