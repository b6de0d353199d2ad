// The script's context natively: a ucontext with a stack of its own, told to the sanitizers so
// that AddressSanitizer knows which stack is live and ThreadSanitizer sees one fiber per context.
#include <sys/mman.h>
#include <ucontext.h>

#include <cstddef>

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

void StartScript() {
#ifdef SIM_ASAN
  __sanitizer_finish_switch_fiber(nullptr, &gHost.stackBottom, &gHost.stackSize);
#endif
  gRun();
}

}  // namespace

namespace sim::detail {

bool CreateScriptContext(void (*run)()) {
  void* stack = mmap(nullptr, kStackSize, PROT_READ | PROT_WRITE,
                     MAP_PRIVATE | MAP_ANONYMOUS | MAP_STACK | MAP_NORESERVE, -1, 0);
  if (stack == MAP_FAILED) return false;
  mprotect(stack, kGuardSize, PROT_NONE);
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

void SwitchToHost() { Switch(gScript, gHost); }

void DeleteScriptContext() {
#ifdef SIM_TSAN
  __tsan_destroy_fiber(gScript.fiber);
#endif
  munmap(gStack, kStackSize);
  gStack = nullptr;
  gScript = Side{};
}

}  // namespace sim::detail
