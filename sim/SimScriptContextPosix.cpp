// The script's context natively: a ucontext with a stack of its own, told to the sanitizers so
// that AddressSanitizer knows which stack is live and ThreadSanitizer sees one fiber per context.
// Freeing it leaves nothing of the sanitizers' behind: the stack's poisoning, the fake stack and
// the fiber go with it.
#include <sys/mman.h>
#include <ucontext.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "SimScriptContext.h"

#if defined(__SANITIZE_ADDRESS__)
#define SIM_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SIM_ASAN 1
#endif
#endif
#if defined(__SANITIZE_THREAD__)
#define SIM_TSAN 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define SIM_TSAN 1
#endif
#endif

#ifdef SIM_ASAN
#include <sanitizer/asan_interface.h>
#include <sanitizer/common_interface_defs.h>
#endif
#ifdef SIM_TSAN
#include <sanitizer/tsan_interface.h>
#endif

namespace {

// Reserved, not committed: pages are taken as the script touches them. The lowest page is left
// inaccessible, so that an overflow faults instead of writing over other memory.
constexpr std::size_t kStackSize = std::size_t{8} << 20;
constexpr std::size_t kGuardSize = 4096;

struct Side {
  ucontext_t context;
  volatile bool leaving = false;  // set between saving this side and setting the other
  volatile bool freeing = false;  // the script's side, resumed only to be let go of
  bool started = false;           // the script's side has run: it is parked in SwitchToHost
  void* fiber = nullptr;          // ThreadSanitizer's fiber
  void* fakeStack = nullptr;      // AddressSanitizer's, kept while switched away
  const void* stackBottom = nullptr;
  std::size_t stackSize = 0;
};

Side gHost;
Side gScript;
void* gStack = nullptr;
void (*gRun)() = nullptr;

// Leaves `from` for `to`, and comes back when something switches to `from` again.
void Switch(Side& from, Side& to) {
#ifdef SIM_TSAN
  __tsan_switch_to_fiber(to.fiber, 0);
#endif
#ifdef SIM_ASAN
  __sanitizer_start_switch_fiber(&from.fakeStack, to.stackBottom, to.stackSize);
#endif
  // getcontext and setcontext rather than swapcontext, which AddressSanitizer warns about on
  // stderr even when told of every switch. getcontext returns twice: now, and when something
  // switches back to `from`.
  from.leaving = true;
  getcontext(&from.context);
  if (from.leaving) {
    from.leaving = false;
    setcontext(&to.context);
  }
#ifdef SIM_ASAN
  // Back on `from`; whoever switched here tells where its own stack is.
  __sanitizer_finish_switch_fiber(from.fakeStack, &to.stackBottom, &to.stackSize);
#endif
}

// On the script's context, resumed one last time: tells AddressSanitizer that the context is gone,
// which frees its fake stack (only the context itself can), and leaves it for the host for good.
// Nothing of the script runs.
[[noreturn]] void LeaveForGood() {
#ifdef SIM_ASAN
  __sanitizer_start_switch_fiber(nullptr, gHost.stackBottom, gHost.stackSize);
#endif
  setcontext(&gHost.context);
  std::abort();  // setcontext returns only when the context is unusable
}

void StartScript() {
#ifdef SIM_ASAN
  __sanitizer_finish_switch_fiber(nullptr, &gHost.stackBottom, &gHost.stackSize);
#endif
  gScript.started = true;
  gRun();
}

}  // namespace

namespace sim::detail {

bool CreateScriptContext(void (*run)()) {
  void* stack = mmap(nullptr, kStackSize, PROT_READ | PROT_WRITE,
                     MAP_PRIVATE | MAP_ANONYMOUS | MAP_STACK | MAP_NORESERVE, -1, 0);
  if (stack == MAP_FAILED) return false;
  if (mprotect(stack, kGuardSize, PROT_NONE) != 0) {
    munmap(stack, kStackSize);
    return false;
  }
  gScript = Side{};
  if (getcontext(&gScript.context) != 0) {
    munmap(stack, kStackSize);
    return false;
  }
  gStack = stack;
  gRun = run;
  gScript.stackBottom = static_cast<char*>(stack) + kGuardSize;
  gScript.stackSize = kStackSize - kGuardSize;
  gScript.context.uc_stack.ss_sp = const_cast<void*>(gScript.stackBottom);
  gScript.context.uc_stack.ss_size = gScript.stackSize;
  gScript.context.uc_link = nullptr;
  makecontext(&gScript.context, &StartScript, 0);
#ifdef SIM_TSAN
  gScript.fiber = __tsan_create_fiber(0);
#endif
  return true;
}

void SwitchToScript() {
#ifdef SIM_TSAN
  gHost.fiber = __tsan_get_current_fiber();
#endif
  Switch(gHost, gScript);
}

void SwitchToHost() {
  Switch(gScript, gHost);
  if (gScript.freeing) LeaveForGood();
}

void DeleteScriptContext() {
#ifdef SIM_ASAN
  // A script that ran is parked in SwitchToHost; its fake stack is freed from there. One that
  // never ran has none, and resuming it would run it.
  if (gScript.started) {
    gScript.freeing = true;
    Switch(gHost, gScript);
  }
  // Its frames were never unwound, and their redzones are still poisoned: a later stack mapped at
  // these addresses, or code there built without AddressSanitizer, would trip over them. Cleared
  // from the lowest poisoned byte up, so that the shadow of the depths never used stays untouched.
  char* const top = static_cast<char*>(gStack) + kStackSize;
  const std::size_t usable = kStackSize - kGuardSize;
  if (void* const poisoned = __asan_region_is_poisoned(top - usable, usable)) {
    char* const from = static_cast<char*>(poisoned) -
                       reinterpret_cast<std::uintptr_t>(poisoned) % 8;  // a shadow byte's start
    __asan_unpoison_memory_region(from, static_cast<std::size_t>(top - from));
  }
#endif
#ifdef SIM_TSAN
  __tsan_destroy_fiber(gScript.fiber);
#endif
  munmap(gStack, kStackSize);
  gStack = nullptr;
  gScript = Side{};
}

}  // namespace sim::detail
