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
                      BOOL isWithAlt, BOOL wasDownBefore, BOOL isUpNow) noexcept {
  if (!HasSlot(static_cast<std::uint32_t>(key))) return;
  KeyState& slot = gKeyStateTable[key];
  const auto now = static_cast<std::uint32_t>(GetTickCount());
  slot.altFlag.store(static_cast<std::uint32_t>(isWithAlt), kRelaxed);
  slot.wasDownFlag.store(static_cast<std::uint32_t>(wasDownBefore), kRelaxed);
  slot.releasedFlag.store(static_cast<std::uint32_t>(isUpNow), kRelaxed);
  // The stamp last, published: a test that reads it also reads this message's flags (or a later
  // message's), never the flags of the message before. Stamp first, a press over a stale release
  // would read for an instant as a fresh release.
  slot.stampTime.store(now, std::memory_order_release);
}

namespace {

bool TakeRelease(std::int32_t keyCode) {
  const auto code = static_cast<std::uint32_t>(keyCode);
  if (!HasSlot(code)) return false;
  KeyState& slot = gKeyStateTable[code];
  const auto now = static_cast<std::uint32_t>(GetTickCount());
  // Elapsed time in modular arithmetic: correct across the tick count's wrap. A release left
  // unconsumed is back in the window when the count comes round to it, 2^32 ms (49.7 days) on.
  // The time now is read first, then the stamp before the flag, as the writer stores it last.
  const std::uint32_t elapsed = now - slot.stampTime.load(std::memory_order_acquire);
  if (elapsed >= kReleaseWindowMs || slot.releasedFlag.load(kRelaxed) == 0) return false;
  ClearKeySlot(slot);
  return true;
}

}  // namespace

bool ConsumeKeyRelease(std::int32_t keyCode) {
  const bool released = TakeRelease(keyCode);
  if (gKeyTestTap != nullptr) gKeyTestTap(keyCode, released);
  return released;
}

}  // namespace scuffler
