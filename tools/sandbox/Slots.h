// The 64-bit slots of a native call, read as the plug-in reads them: a 32-bit handle or answer in
// the low half, a float's bits in the low half, a point as three such floats. The replay and the
// scenario a recording becomes read recorded slots alike.
//
// Pure functions: any thread.
#pragma once

#include <cstdint>
#include <cstring>

#include "SimHook.h"

namespace sandbox {

inline std::int32_t Low32(std::uint64_t slot) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(slot));
}

inline float FloatOf(std::uint64_t slot) {
  const auto bits = static_cast<std::uint32_t>(slot);
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

// The point a native such as GET_ENTITY_COORDS returns in its result slots.
inline sim::Vec3 PointOf(const std::uint64_t* result) {
  return {FloatOf(result[0]), FloatOf(result[1]), FloatOf(result[2])};
}

}  // namespace sandbox
