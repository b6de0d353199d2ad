// The keyboard side of the hook. Messages may be delivered from any thread (natively a test may
// send them while the script runs; in the substitute DLL the host thread delivers them, as the
// game's window thread does), so the registered handler is atomic rather than part of the
// turn-owned world record.
#include <atomic>

#include "SimState.h"

namespace {

std::atomic<KeyboardHandlerFn> gKeyboardHandler{nullptr};

}  // namespace

extern "C" void keyboardHandlerRegister(KeyboardHandlerFn handler) {
  sim::detail::RecordOperation(sim::Op::KeyboardHandlerRegister, {sim::detail::Address(handler)});
  gKeyboardHandler.store(handler);
}

extern "C" void keyboardHandlerUnregister(KeyboardHandlerFn handler) {
  sim::detail::RecordOperation(sim::Op::KeyboardHandlerUnregister, {sim::detail::Address(handler)});
  // Only the handler that is registered may be taken back; any other pointer changes nothing.
  KeyboardHandlerFn expected = handler;
  gKeyboardHandler.compare_exchange_strong(expected, nullptr);
}

namespace sim {

void detail::ResetKeyboard() { gKeyboardHandler.store(nullptr); }

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
