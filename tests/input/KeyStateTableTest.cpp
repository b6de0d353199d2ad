// The key table: what a message records and when a release counts, once, as just released.
#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <cstdint>
#include <thread>

#include "input/KeyStateTable.h"
#include "melee/TestWorld.h"

namespace scuffler::testing {
namespace {

class KeyStateTableTest : public WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    ListenToKeyboard();
  }

  static bool SlotIsZero(std::uint32_t key) {
    const KeyState& slot = gKeyStateTable[key];
    return slot.stampTime == 0 && slot.altFlag == 0 && slot.wasDownFlag == 0 &&
           slot.releasedFlag == 0;
  }
  static bool TableIsZero() {
    for (std::uint32_t key = 0; key < kKeySlotCount; ++key) {
      if (!SlotIsZero(key)) return false;
    }
    return true;
  }
};

TEST_F(KeyStateTableTest, NothingIsJustUpBeforeAnyMessage) {
  for (std::int32_t key = 0; key < 255; ++key) EXPECT_FALSE(ConsumeKeyRelease(key)) << key;
}

TEST_F(KeyStateTableTest, MessageStoresTimeAndFlagsAsPassed) {
  sim::SetTime(4321);
  RecordKeyMessage(38, 1, 72, 1, 2, 3, 4);
  const KeyState& slot = gKeyStateTable[38];
  EXPECT_EQ(slot.stampTime, 4321u);
  EXPECT_EQ(slot.altFlag, 2u);
  EXPECT_EQ(slot.wasDownFlag, 3u);
  EXPECT_EQ(slot.releasedFlag, 4u);
}

TEST_F(KeyStateTableTest, MessagesForCodesWithoutASlotChangeNothing) {
  sim::SetTime(50);
  for (std::uint32_t key : {255u, 256u, 0xFFFFFFFFu}) {
    sim::SendKey(key, true);
    // A release stored past the table would read back as one just made.
    EXPECT_FALSE(ConsumeKeyRelease(static_cast<std::int32_t>(key))) << key;
  }
  EXPECT_TRUE(TableIsZero());
}

TEST_F(KeyStateTableTest, ReleaseCountsForLessThanOneHundredMilliseconds) {
  struct Case {
    std::uint32_t elapsed;
    bool justUp;
  };
  for (const Case c : {Case{0, true}, Case{1, true}, Case{99, true}, Case{100, false},
                       Case{101, false}, Case{60000, false}}) {
    sim::SetTime(10000);
    sim::TapKey(40);
    sim::SetTime(10000 + c.elapsed);
    EXPECT_EQ(ConsumeKeyRelease(40), c.justUp) << "elapsed " << c.elapsed;
    EXPECT_EQ(SlotIsZero(40), c.justUp) << "a report zeroes the slot, no report leaves it";
    gKeyStateTable[40].releasedFlag = 0;
  }
}

TEST_F(KeyStateTableTest, ReleaseIsReportedOnce) {
  sim::SetTime(1000);
  sim::TapKey(71);
  EXPECT_TRUE(ConsumeKeyRelease(71));
  EXPECT_FALSE(ConsumeKeyRelease(71));
  sim::AdvanceTime(16);
  EXPECT_FALSE(ConsumeKeyRelease(71));
  sim::TapKey(71);
  EXPECT_TRUE(ConsumeKeyRelease(71)) << "a new release counts again";
}

TEST_F(KeyStateTableTest, HeldKeyReportsNothingUntilReleased) {
  sim::SetTime(1000);
  sim::SendKey(39, false);
  for (int repeat = 0; repeat < 5; ++repeat) {
    sim::AdvanceTime(30);
    sim::SendKey(39, false, true);
    EXPECT_FALSE(ConsumeKeyRelease(39));
  }
  sim::SendKey(39, true, true);
  EXPECT_TRUE(ConsumeKeyRelease(39));
}

TEST_F(KeyStateTableTest, PressAfterReleaseHidesTheRelease) {
  sim::SetTime(1000);
  sim::TapKey(37);
  sim::SendKey(37, false);
  EXPECT_FALSE(ConsumeKeyRelease(37));
}

TEST_F(KeyStateTableTest, CodesWithoutASlotNeverTestTrueAndTouchNothing) {
  sim::SetTime(1000);
  for (std::uint32_t key = 0; key < kKeySlotCount; ++key) sim::TapKey(key);
  for (std::int32_t code : {255, 256, 100000, -1, -255, INT32_MIN}) {
    EXPECT_FALSE(ConsumeKeyRelease(code)) << code;
  }
  for (std::uint32_t key = 0; key < kKeySlotCount; ++key) {
    EXPECT_EQ(gKeyStateTable[key].releasedFlag, 1u) << key;
  }
}

TEST_F(KeyStateTableTest, FirstOfTwoTestsOfTheSameKeyTakesTheRelease) {
  sim::SetTime(1000);
  sim::TapKey(38);
  EXPECT_TRUE(ConsumeKeyRelease(38));
  EXPECT_FALSE(ConsumeKeyRelease(38));
}

TEST_F(KeyStateTableTest, WindowHoldsAcrossTheTickCountWrap) {
  struct Case {
    std::uint32_t releasedAt;
    std::uint32_t testedAt;
    bool justUp;
  };
  for (const Case c : {
           Case{0xFFFFFFC0u, 0xFFFFFFD0u, true},   // before the wrap, 16 ms later
           Case{0xFFFFFFC0u, 0x00000010u, true},   // across the wrap, 80 ms later
           Case{0xFFFFFFC0u, 0x00000024u, false},  // across the wrap, 100 ms later
           Case{1000u, 500u, false},  // never consumed, 2^32 - 500 ms on: not back in the window
           Case{1000u, 1050u, true},  // 50 ms on, or 2^32 + 50: the count cannot tell them apart
       }) {
    sim::SetTime(c.releasedAt);
    sim::TapKey(65);
    sim::SetTime(c.testedAt);
    EXPECT_EQ(ConsumeKeyRelease(65), c.justUp) << c.releasedAt << " -> " << c.testedAt;
    gKeyStateTable[65].releasedFlag = 0;
  }
}

TEST_F(KeyStateTableTest, MessagesFromAnotherThreadReachTheTable) {
  sim::SetTime(5000);
  std::thread keyboard([] {
    for (int i = 0; i < 1000; ++i) sim::SendKey(38, (i % 2) == 1, true);
  });
  for (int i = 0; i < 1000; ++i) ConsumeKeyRelease(38);
  keyboard.join();
  // The last message was a release; whether earlier ones were consumed or overwritten, it stands.
  sim::SendKey(38, true, true);
  EXPECT_TRUE(ConsumeKeyRelease(38));
  EXPECT_TRUE(SlotIsZero(38));
}

#if defined(__x86_64__) && defined(__linux__)

// GCC says it with a macro, clang only through __has_feature.
#if defined(__SANITIZE_THREAD__)
#define STEPPED_UNDER_TSAN 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define STEPPED_UNDER_TSAN 1
#endif
#endif

// The script's key test, run between every two instructions of the keyboard callback: x86's trap
// flag raises SIGTRAP after each instruction, and the handler tests the key. Another core sees the
// callback's stores in the order they are made, so these are all the states it can find the slot
// in; two threads left to race almost never show one of the brief ones.
constexpr std::uint32_t kSteppedKey = 38;
std::atomic<int> gStepTests{0};
std::atomic<int> gStepReleases{0};

std::atomic<int> gProbeTraps{0};

void CountTrap(int /*signal*/) { gProbeTraps.fetch_add(1); }

void TestKeyBetweenInstructions(int /*signal*/) {
  if (ConsumeKeyRelease(static_cast<std::int32_t>(kSteppedKey))) gStepReleases.fetch_add(1);
  gStepTests.fetch_add(1);
}

// Sets or clears the trap flag. The flags go through the stack below the red zone, which the
// compiler may be using here.
void SetTrapFlag(bool on) {
  if (on) {
    asm volatile("add $-128, %%rsp\n\tpushfq\n\torq $0x100, (%%rsp)\n\tpopfq\n\tsub $-128, %%rsp" ::
                     : "memory", "cc");
  } else {
    asm volatile(
        "add $-128, %%rsp\n\tpushfq\n\tandq $-0x101, (%%rsp)\n\tpopfq\n\tsub $-128, %%rsp" ::
            : "memory", "cc");
  }
}

// A press that lands on a release long out of its window must never read as a release: a test
// that paired the press's fresh stamp with the old release's flag would start a move on the press,
// and the real release would start another.
TEST_F(KeyStateTableTest, NoStateOfAPressWrittenOverAStaleReleaseReadsAsARelease) {
#if defined(STEPPED_UNDER_TSAN)
  GTEST_SKIP() << "a step can stop inside ThreadSanitizer's atomics, which hold a lock the test "
                  "then waits for";
#endif
  struct sigaction probe {};
  probe.sa_handler = &CountTrap;
  struct sigaction previous {};
  ASSERT_EQ(sigaction(SIGTRAP, &probe, &previous), 0);
  // Valgrind and emulators run the code without the trap flag's effect: nothing would be stepped.
  gProbeTraps = 0;
  SetTrapFlag(true);
  asm volatile("nop");
  SetTrapFlag(false);
  if (gProbeTraps.load() == 0) {
    sigaction(SIGTRAP, &previous, nullptr);
    GTEST_SKIP() << "no SIGTRAP after a step: this machine does not single-step";
  }
  struct sigaction stepped {};
  stepped.sa_handler = &TestKeyBetweenInstructions;
  ASSERT_EQ(sigaction(SIGTRAP, &stepped, nullptr), 0);
  sim::SetTime(100000);
  RecordKeyMessage(kSteppedKey, 1, 0, 0, 0, 1, 1);
  sim::SetTime(101000);
  gStepTests = 0;
  gStepReleases = 0;
  SetTrapFlag(true);
  RecordKeyMessage(kSteppedKey, 1, 0, 0, 0, 0, 0);
  SetTrapFlag(false);
  sigaction(SIGTRAP, &previous, nullptr);
  EXPECT_GE(gStepTests.load(), 5) << "the callback ran step by step";
  EXPECT_EQ(gStepReleases.load(), 0);
  EXPECT_EQ(gKeyStateTable[kSteppedKey].stampTime, 101000u) << "the press is recorded";
  EXPECT_EQ(gKeyStateTable[kSteppedKey].releasedFlag, 0u);
}

#endif

}  // namespace
}  // namespace scuffler::testing
