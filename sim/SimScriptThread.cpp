// Hosts the registered script on a std::thread of its own, run in strict turns with the host: the
// host hands the turn over and blocks until the script hands it back at its next scriptWait (or by
// ending). Exactly one side runs at a time, so the world and the log need no lock of their own;
// the mutex below only orders the hand-offs.
//
// Stopping: the parked scriptWait is woken with the stop flag set and throws StopToken, a type the
// plug-in cannot name, so the script's stack unwinds and the thread ends; then it is joined.
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <utility>

#include "SimState.h"

namespace {

struct StopToken {};

enum class Turn { Host, Script };

struct ScriptHost {
  std::mutex mutex;
  std::condition_variable turnChanged;
  Turn turn = Turn::Host;
  std::thread thread;
  bool parked = false;    // waiting in scriptWait for the next tick
  bool ended = false;     // returned or threw by itself; stays ended until stopped or reset
  bool stopping = false;  // every scriptWait from now on unwinds the script
  std::exception_ptr failure;

  // Gives the turn to `to` and waits until it comes back.
  void HandOver(std::unique_lock<std::mutex>& lock, Turn to) {
    turn = to;
    turnChanged.notify_all();
    turnChanged.wait(lock, [this, to] { return turn != to; });
  }

  // Unwinds a parked script and joins its thread; also forgets an ended one.
  void Stop() {
    std::unique_lock<std::mutex> lock(mutex);
    if (parked) {
      stopping = true;
      HandOver(lock, Turn::Script);
    }
    if (thread.joinable()) {
      lock.unlock();
      thread.join();
      lock.lock();
    }
    stopping = false;
    ended = false;
    parked = false;
    failure = nullptr;
  }

  // No thread may outlive the process's statics: stop and join whatever is left at exit.
  ~ScriptHost() { Stop(); }
};

// The host of the script running on this thread; null on every other thread.
thread_local ScriptHost* tScriptHost = nullptr;

ScriptHost& Host() {
  static ScriptHost host;
  return host;
}

void RunScript(ScriptHost* hostOfThisThread, ScriptEntryFn entry) {
  tScriptHost = hostOfThisThread;
  ScriptHost& host = *hostOfThisThread;
  {
    std::unique_lock<std::mutex> lock(host.mutex);
    host.turnChanged.wait(lock, [&host] { return host.turn == Turn::Script; });
  }
  std::exception_ptr failure;
  try {
    entry();
  } catch (const StopToken&) {
    // The stop we asked for.
  } catch (...) {
    // Anything else belongs to the host: it is rethrown from RunScriptTicks.
    failure = std::current_exception();
  }
  std::lock_guard<std::mutex> lock(host.mutex);
  host.failure = failure;
  host.ended = !host.stopping;
  host.parked = false;
  host.turn = Turn::Host;
  host.turnChanged.notify_all();
}

}  // namespace

extern "C" void scriptWait(DWORD milliseconds) {
  sim::detail::RecordOperation(sim::Op::ScriptWait, {milliseconds});
  // Outside a hosted script (a test calling plug-in code directly) there is nobody to yield to.
  if (tScriptHost == nullptr) return;
  ScriptHost& host = *tScriptHost;
  std::unique_lock<std::mutex> lock(host.mutex);
  if (host.stopping) {
    // A wait made while the stack is already unwinding (from a destructor) must not throw again.
    if (std::uncaught_exceptions() > 0) return;
    throw StopToken{};
  }
  host.parked = true;
  host.HandOver(lock, Turn::Host);
  host.parked = false;
  if (host.stopping) throw StopToken{};
}

namespace sim {

bool RunScriptTicks(int ticks) {
  const ScriptEntryFn entry = detail::TheState().entry;
  if (entry == nullptr || tScriptHost != nullptr) return false;
  ScriptHost& host = Host();
  std::unique_lock<std::mutex> lock(host.mutex);
  for (int tick = 0; tick < ticks && !host.ended; ++tick) {
    if (!host.thread.joinable()) host.thread = std::thread(RunScript, &host, entry);
    host.HandOver(lock, Turn::Script);
  }
  if (!host.ended) return true;
  if (host.thread.joinable()) {
    lock.unlock();
    host.thread.join();
    lock.lock();
  }
  if (host.failure) std::rethrow_exception(std::exchange(host.failure, nullptr));
  return false;
}

void StopScript() {
  if (tScriptHost != nullptr) return;  // a script cannot join itself
  Host().Stop();
}

bool ScriptRunning() {
  ScriptHost& host = Host();
  std::lock_guard<std::mutex> lock(host.mutex);
  return host.parked;
}

}  // namespace sim
