// The latest keyboard message per virtual-key code, and the one test the script makes on it.
//
// Threading: RecordKeyMessage runs wherever the script hook delivers keyboard messages and is the
// table's only writer; ConsumeKeyRelease runs on the script and is its only reader. There is no
// lock and no read-modify-write: every field is a 32-bit atomic, stored once per message. The
// writer stores the flags first and publishes the stamp last (release order); the test reads the
// stamp first (acquire order), so it never pairs a message's stamp with an earlier message's
// flags. A message that lands between a test and its reset is overwritten by the reset.
#pragma once

#include <atomic>
#include <cstdint>

#include "platform/Platform.h"

namespace scuffler {

// One key's latest message. All zero means no message since load (or since the last consume).
struct KeyState {
  std::atomic<std::uint32_t> stampTime{0};     // GetTickCount when the message arrived
  std::atomic<std::uint32_t> altFlag{0};       // Alt flag, as passed
  std::atomic<std::uint32_t> wasDownFlag{0};   // was-down-before flag, as passed
  std::atomic<std::uint32_t> releasedFlag{0};  // is-up-now flag, as passed: nonzero on release
};

// Virtual-key codes 0 to 254; code 255 has no slot.
constexpr std::uint32_t kKeySlotCount = 255;
// How long after its release message a key still counts as just released.
constexpr std::uint32_t kReleaseWindowMs = 100;

extern KeyState gKeyStateTable[kKeySlotCount];

// Sets all four fields of `slot` to zero: no message since.
void ClearKeySlot(KeyState& slot);

// Keyboard handler given to the script hook: records the message in the key's slot. Never throws:
// it is called from the hook's own code.
void RecordKeyMessage(DWORD key, WORD repeats, BYTE scanCode, BOOL isExtended, BOOL isWithAlt,
                      BOOL wasDownBefore, BOOL isUpNow) noexcept;

// What may watch the script's key tests (the recorder, while it records): told of each test
// ConsumeKeyRelease makes and its answer. Null, as it is but while recording, costs one test.
// Set and called on the script's thread only.
using KeyTestTap = void (*)(std::int32_t keyCode, bool released);
inline KeyTestTap gKeyTestTap = nullptr;

// True when `keyCode`'s latest message was its release and arrived less than 100 ms ago; the
// answer consumes the release by zeroing the slot. Codes outside 0 to 254 are always false.
bool ConsumeKeyRelease(std::int32_t keyCode);

}  // namespace scuffler
