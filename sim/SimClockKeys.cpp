// The clock behind GetTickCount and the keyboard side of the hook. Both are reached from threads
// other than the host's (the plug-in's keyboard callback reads the clock wherever keys arrive),
// so their state is atomic rather than part of the turn-owned world record.
#include <atomic>

#include "SimState.h"

namespace {

std::atomic<std::uint32_t> gClock{0};
std::atomic<KeyboardHandlerFn> gKeyboardHandler{nullptr};

std::uint64_t Address(KeyboardHandlerFn handler) {
  return static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(handler));
}

}  // namespace

extern "C" DWORD GetTickCount() { return gClock.load(); }

extern "C" void keyboardHandlerRegister(KeyboardHandlerFn handler) {
  sim::Call call;
  call.op = sim::Op::KeyboardHandlerRegister;
  call.args = {Address(handler)};
  sim::detail::Record(std::move(call));
  gKeyboardHandler.store(handler);
}

extern "C" void keyboardHandlerUnregister(KeyboardHandlerFn handler) {
  sim::Call call;
  call.op = sim::Op::KeyboardHandlerUnregister;
  call.args = {Address(handler)};
  sim::detail::Record(std::move(call));
  // Only the handler that is registered may be taken back; any other pointer changes nothing.
  KeyboardHandlerFn expected = handler;
  gKeyboardHandler.compare_exchange_strong(expected, nullptr);
}

namespace sim {

void detail::ResetClockAndKeys() {
  gClock.store(0);
  gKeyboardHandler.store(nullptr);
}

void SetTime(std::uint32_t milliseconds) { gClock.store(milliseconds); }

// Wraps modulo 2^32, like the real tick count.
void AdvanceTime(std::uint32_t milliseconds) { gClock.fetch_add(milliseconds); }

std::uint32_t Time() { return gClock.load(); }

KeyboardHandlerFn RegisteredKeyboardHandler() { return gKeyboardHandler.load(); }

void SendKey(std::uint32_t key, bool released, bool wasDown, bool alt) {
  if (KeyboardHandlerFn handler = gKeyboardHandler.load()) {
    handler(key, 1, 0, 0, alt ? 1 : 0, wasDown ? 1 : 0, released ? 1 : 0);
  }
}

void TapKey(std::uint32_t key) {
  SendKey(key, false, false);
  SendKey(key, true, true);
}

}  // namespace sim
