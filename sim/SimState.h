// The simulated hook's shared record: the world, the canned answers, the call log and the
// registrations, seen by the world, native, clock/keyboard and script-hosting files alike.
// Private to the sim; hosts use SimHook.h.
//
// Threading: owned by whichever side holds the turn (the host, or the script while a tick runs);
// the script host's hand-off orders every access, so nothing here is locked. The clock and the
// keyboard handler are kept apart, as atomics, because they are touched from any thread.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "SimHook.h"

namespace sim::detail {

struct Ped {
  std::int32_t handle = 0;
  Vec3 position;
  bool listed = true;
};

// A canned answer: the answers of successive calls in order, the last one holding from then on.
struct Canned {
  std::vector<std::int32_t> values;  // never empty
  std::size_t next = 0;

  std::int32_t Take() {
    const std::int32_t value = values[next];
    if (next + 1 < values.size()) ++next;
    return value;
  }
};

struct State {
  std::int32_t player = 0;
  std::int32_t engaged = 0;
  std::vector<Ped> peds;  // known peds, in the order first added

  std::map<std::pair<std::int32_t, std::uint64_t>, Canned> pedAnswers;  // (ped, hash)
  std::map<std::uint64_t, Canned> answers;                              // hash
  int reportedPedCount = -1;  // negative: the honest count

  std::map<std::uint32_t, std::string> actionNames;  // hash -> first text seen

  std::vector<Call> calls;
  std::vector<StartedAction> actions;

  // The native being built between nativeInit and nativeCall, and the buffer nativeCall returns.
  std::uint64_t pendingHash = 0;
  std::vector<std::uint64_t> pendingArgs;
  std::uint64_t result[3] = {0, 0, 0};

  const Responder* responder = nullptr;  // set: a replay answers instead of the world

  HINSTANCE module = nullptr;
  ScriptEntryFn entry = nullptr;
};

State& TheState();

// The known ped `handle`, or null.
Ped* FindPed(std::int32_t handle);

void Record(Call call);
// Records an operation other than a native call.
void RecordOperation(Op op, std::vector<std::uint64_t> args);

// A pointer as the log records it.
template <typename Pointer>
std::uint64_t Address(Pointer pointer) {
  return static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(pointer));
}

// Back to a clock at 0 (where the clock is simulated).
void ResetClock();
// Back to no keyboard handler.
void ResetKeyboard();

// Jenkins one-at-a-time over the lower-cased text; remembers the first text seen per hash.
std::uint32_t HashActionName(const std::string& text);

}  // namespace sim::detail
