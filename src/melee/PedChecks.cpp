#include "melee/PedChecks.h"

#include <utility>

#include "hook/NativeBridge.h"
#include "hook/NativeHashes.h"
#include "melee/TickState.h"

// Inlined whatever the optimiser would choose: each row's native must be a constant at its call.
#if defined(_MSC_VER)
#define ALWAYS_INLINE __forceinline
#else
#define ALWAYS_INLINE inline __attribute__((always_inline))
#endif

namespace scuffler {

namespace {

// Row I of a table asked as code: each call's native is a constant where it is made, so the hook
// and the recorder's tap cost what they cost for a call written out by hand.
template <std::size_t N, const PedCheck (&kChecks)[N], std::size_t I>
ALWAYS_INLINE std::int32_t Ask(std::int32_t ped) {
  constexpr PedCheck kCheck = kChecks[I];
  if constexpr (kCheck.arguments == CheckArguments::None) {
    return CallNativeInt(kCheck.hash);
  } else if constexpr (kCheck.arguments == CheckArguments::PedAndZero) {
    return CallNativeInt(kCheck.hash, ped, 0);
  } else if constexpr (kCheck.arguments == CheckArguments::PedKnockedOutFlag) {
    return CallNativeInt(kCheck.hash, ped, hash::kPcfKnockedout, 1);
  } else {
    return CallNativeInt(kCheck.hash, ped);
  }
}

template <std::size_t N, const PedCheck (&kChecks)[N], std::size_t... I>
ALWAYS_INLINE std::size_t FirstFailing(std::int32_t ped, std::index_sequence<I...>) {
  std::size_t failed = N;
  // && stops at the first that fails: no check past it is asked.
  static_cast<void>(
      ((Fails(kChecks[I], Ask<N, kChecks, I>(ped)) ? (failed = I, false) : true) && ...));
  return failed;
}

}  // namespace

std::size_t FirstFailingEligibilityCheck(std::int32_t ped) {
  return FirstFailing<kEligibilityCheckCount, kEligibilityChecks>(
      ped, std::make_index_sequence<kEligibilityCheckCount>());
}

std::size_t FirstFailingReadinessCheck() {
  return FirstFailing<kReadinessCheckCount, kReadinessChecks>(
      gTickState.playerPed, std::make_index_sequence<kReadinessCheckCount>());
}

bool IsEligibleTarget(std::int32_t ped) {
  return FirstFailingEligibilityCheck(ped) == kEligibilityCheckCount;
}

bool IsPlayerReady() { return FirstFailingReadinessCheck() == kReadinessCheckCount; }

float SquaredDistance(float x1, float y1, float z1, float x2, float y2, float z2) {
  return CallNativeFloat(hash::kVdist2, x1, y1, z1, x2, y2, z2);
}

std::int32_t PedCheck11(std::int32_t ped) {
  return CallNativeInt(hash::kGetPedConfigFlag, ped, hash::kPcfKnockedout, 1);
}

std::uint64_t StartMeleeAction(std::int32_t actor, std::int32_t target, std::uint32_t actionHash) {
  // The sixth argument is the integer 1, not the float 1.0.
  return CallNativeU64(hash::kTaskPutPedDirectlyIntoMelee, actor, target, actionHash, 0, 0, 1, 0);
}

}  // namespace scuffler
