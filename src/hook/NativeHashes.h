// Every native the plug-in calls, by hash. Natives are known by hash alone; each name says what
// the plug-in asks of that native, not what the game calls it.
#pragma once

#include <cstdint>

namespace scuffler::hash {

// Tick state and search.
constexpr std::uint64_t kPlayerPed = 0x096275889B8E0EE0;        // () -> ped
constexpr std::uint64_t kEngagedPed = 0x18A3E9EE1297FD39;       // (ped) -> ped or 0
constexpr std::uint64_t kPedPosition = 0xA86D5F069399F44D;      // (ped, 0, 0) -> WorldPoint
constexpr std::uint64_t kSquaredDistance = 0xB7A628320EFF8E47;  // (six floats) -> float

// Eligibility chain of a target, in the order it is asked. Steps 1 and 2 pass on nonzero.
constexpr std::uint64_t kEligibilityCheck1 = 0xD42BD6EB2E0F1677;  // (ped)
constexpr std::uint64_t kEligibilityCheck2 = 0xB980061DA992779D;  // (ped)
constexpr std::uint64_t kEligibilityCheck3 = 0x7D5B1F88E7504BBA;  // (ped)
constexpr std::uint64_t kEligibilityCheck4 = 0xD839450756ED5A80;  // (ped)
constexpr std::uint64_t kEligibilityCheck5 = 0x460BC76A0E10655E;  // (ped), asked of the player too
constexpr std::uint64_t kEligibilityCheck6 =
    0x997ABD671D25CA0B;  // (ped, 0), asked of the player too
constexpr std::uint64_t kEligibilityCheck7 = 0xDDE5C125AC446723;  // (ped)
constexpr std::uint64_t kEligibilityCheck8 = 0xB655DB7582AEC805;  // (ped)
constexpr std::uint64_t kEligibilityCheck9 = 0x47E4E977581C5B55;  // (ped)
constexpr std::uint64_t kWorldCheck = 0x535384D6067BA42E;         // () : no ped passes while set
constexpr std::uint64_t kPedCheck11 = 0x7EE53118C892B513;         // (ped, 11, 1)
constexpr std::uint64_t kPlayerCheck = 0x0E99E3BF11BB6367;        // (ped), asked of the player only

// Triggers.
constexpr std::uint64_t kPairCheck = 0x4859F1FC66A6278E;       // (player, target) : 0 allows
constexpr std::uint64_t kActionNameHash = 0xFD340785ADF8CFB7;  // (string) -> action hash
constexpr std::uint64_t kStartMeleeAction =
    0x1C6CD14A876FFE39;                                     // (actor, target, hash, 0, 0, 1, 0)
constexpr std::uint64_t kRandomGateA = 0xA571D46727E2B718;  // (0) : 0 opens
constexpr std::uint64_t kRandomGateB = 0x580417101DDB492F;  // (0, 0x1ECA87D4) : nonzero opens
constexpr std::uint32_t kRandomGateBValue = 0x1ECA87D4;
constexpr std::uint64_t kRandomInt = 0xD53343AA4FB7DD28;  // (min, max) -> int

}  // namespace scuffler::hash
