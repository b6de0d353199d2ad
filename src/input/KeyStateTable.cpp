#include "input/KeyStateTable.h"

namespace scuffler {

KeyState gKeyStateTable[kKeySlotCount];

namespace {

constexpr auto kRelaxed = std::memory_order_relaxed;

// The code a setting or a message names, when it has a slot. A negative setting, taken as
// unsigned, lands far above the table and so has none.
bool HasSlot(std::uint32_t keyCode) { return keyCode < kKeySlotCount; }

}  // namespace

void ClearKeySlot(KeyState& slot) {
  slot.stampTime.store(0, kRelaxed);
  slot.altFlag.store(0, kRelaxed);
  slot.wasDownFlag.store(0, kRelaxed);
  slot.releasedFlag.store(0, kRelaxed);
}

void RecordKeyMessage(DWORD key, WORD /*repeats*/, BYTE /*scanCode*/, BOOL /*isExtended*/,
                      BOOL isWithAlt, BOOL wasDownBefore, BOOL isUpNow) {
  if (!HasSlot(static_cast<std::uint32_t>(key))) return;
  KeyState& slot = gKeyStateTable[key];
  slot.stampTime.store(static_cast<std::uint32_t>(GetTickCount()), kRelaxed);
  slot.altFlag.store(static_cast<std::uint32_t>(isWithAlt), kRelaxed);
  slot.wasDownFlag.store(static_cast<std::uint32_t>(wasDownBefore), kRelaxed);
  slot.releasedFlag.store(static_cast<std::uint32_t>(isUpNow), kRelaxed);
}

bool ConsumeKeyRelease(std::int32_t keyCode) {
  const auto code = static_cast<std::uint32_t>(keyCode);
  if (!HasSlot(code)) return false;
  KeyState& slot = gKeyStateTable[code];
  const auto now = static_cast<std::uint32_t>(GetTickCount());
  // Elapsed time in modular arithmetic: correct across the 49.7-day wrap of the tick count,
  // and a release left unconsumed never comes back into the window after a wrap.
  const std::uint32_t elapsed = now - slot.stampTime.load(kRelaxed);
  if (elapsed >= kReleaseWindowMs || slot.releasedFlag.load(kRelaxed) == 0) return false;
  ClearKeySlot(slot);
  return true;
}

}  // namespace scuffler
