// Every native the plug-in calls, listed once: its hash, its public namespace and name, and, for
// a check the game answers about one ped, which argument names that ped. The plug-in calls the
// natives by the hash constants below, each taken from the list by name; the simulated hook and
// the sandbox read the list itself. Constants only: usable from any thread.
#pragma once

#include <cstdint>
#include <string_view>

namespace scuffler {

// What of a native's result the plug-in reads, and so what a recording keeps of it.
enum class ResultShape : std::uint8_t {
  Int32,  // a 32-bit integer (a BOOL, a handle, a hash) in the first 4 bytes
  Float,  // a float in the first 4 bytes
  Point,  // a Vector3: floats at byte offsets 0, 8 and 16
  U64,    // the first 8 bytes
};

struct NativeInfo {
  std::uint64_t hash;
  const char* space;       // the public namespace, such as "PED"
  const char* name;        // the public name without it, such as "IS_PED_RAGDOLL"
  std::int8_t checkedPed;  // a check asked about one ped: the argument holding it; else kNoPed
  ResultShape result;
};

constexpr std::int8_t kNoPed = -1;

// Each row gives the public declaration and what the plug-in asks of the native.
inline constexpr NativeInfo kNatives[] = {
    // Tick state and search.

    // PLAYER::PLAYER_PED_ID() -> Ped: the player's ped.
    {0x096275889B8E0EE0, "PLAYER", "PLAYER_PED_ID", kNoPed, ResultShape::Int32},
    // PED::GET_MELEE_TARGET_FOR_PED(Ped ped) -> Ped: the ped the player is engaged with, or 0.
    {0x18A3E9EE1297FD39, "PED", "GET_MELEE_TARGET_FOR_PED", kNoPed, ResultShape::Int32},
    // ENTITY::GET_ENTITY_COORDS(Entity entity, BOOL alive, BOOL realCoords) -> Vector3: asked
    // with (ped, 0, 0); a rider then reports its mount's position.
    {0xA86D5F069399F44D, "ENTITY", "GET_ENTITY_COORDS", kNoPed, ResultShape::Point},
    // BUILTIN::VDIST2(float x1, y1, z1, x2, y2, z2) -> float: the squared distance.
    {0xB7A628320EFF8E47, "BUILTIN", "VDIST2", kNoPed, ResultShape::Float},

    // Eligibility of a target, in the order it is asked. The first two must hold, the rest must
    // not.

    // ENTITY::DOES_ENTITY_EXIST(Entity entity) -> BOOL.
    {0xD42BD6EB2E0F1677, "ENTITY", "DOES_ENTITY_EXIST", 0, ResultShape::Int32},
    // PED::IS_PED_HUMAN(Ped ped) -> BOOL.
    {0xB980061DA992779D, "PED", "IS_PED_HUMAN", 0, ResultShape::Int32},
    // ENTITY::IS_ENTITY_DEAD(Entity entity) -> BOOL.
    {0x7D5B1F88E7504BBA, "ENTITY", "IS_ENTITY_DEAD", 0, ResultShape::Int32},
    // PED::IS_PED_FATALLY_INJURED(Ped ped) -> BOOL: true for an invalid handle too.
    {0xD839450756ED5A80, "PED", "IS_PED_FATALLY_INJURED", 0, ResultShape::Int32},
    // PED::IS_PED_ON_MOUNT(Ped ped) -> BOOL: asked of the player too.
    {0x460BC76A0E10655E, "PED", "IS_PED_ON_MOUNT", 0, ResultShape::Int32},
    // PED::IS_PED_IN_ANY_VEHICLE(Ped ped, BOOL atGetIn) -> BOOL: asked with (ped, 0), of the
    // player too.
    {0x997ABD671D25CA0B, "PED", "IS_PED_IN_ANY_VEHICLE", 0, ResultShape::Int32},
    // ENTITY::IS_ENTITY_IN_WATER(Entity entity) -> BOOL.
    {0xDDE5C125AC446723, "ENTITY", "IS_ENTITY_IN_WATER", 0, ResultShape::Int32},
    // PED::IS_PED_INCAPACITATED(Ped ped) -> BOOL.
    {0xB655DB7582AEC805, "PED", "IS_PED_INCAPACITATED", 0, ResultShape::Int32},
    // PED::IS_PED_RAGDOLL(Ped ped) -> BOOL.
    {0x47E4E977581C5B55, "PED", "IS_PED_RAGDOLL", 0, ResultShape::Int32},
    // HUD::IS_PAUSE_MENU_ACTIVE() -> BOOL: while it holds, no ped is eligible and the player is
    // not ready.
    {0x535384D6067BA42E, "HUD", "IS_PAUSE_MENU_ACTIVE", kNoPed, ResultShape::Int32},
    // PED::GET_PED_CONFIG_FLAG(Ped ped, int flagId, BOOL p2) -> BOOL: asked with
    // (ped, kPcfKnockedout, 1).
    {0x7EE53118C892B513, "PED", "GET_PED_CONFIG_FLAG", 0, ResultShape::Int32},

    // Readiness of the player: IS_PED_ON_MOUNT, IS_PED_IN_ANY_VEHICLE, this one, then
    // IS_PAUSE_MENU_ACTIVE; none may hold.

    // PED::GET_PED_IS_GRAPPLING(Ped ped) -> BOOL: asked of the player only.
    {0x0E99E3BF11BB6367, "PED", "GET_PED_IS_GRAPPLING", 0, ResultShape::Int32},

    // Triggers.

    // PED::IS_PED_IN_COMBAT(Ped ped, Ped target) -> BOOL: asked with (player, target) about the
    // target; the target is taken only while it is false.
    {0x4859F1FC66A6278E, "PED", "IS_PED_IN_COMBAT", 1, ResultShape::Int32},
    // MISC::GET_HASH_KEY(const char* string) -> Hash: an action name's hash.
    {0xFD340785ADF8CFB7, "MISC", "GET_HASH_KEY", kNoPed, ResultShape::Int32},
    // TASK::TASK_PUT_PED_DIRECTLY_INTO_MELEE(Ped ped, Ped meleeTarget, Hash meleeStyle, float p3,
    // float animBlendRatio, BOOL p5, int p6) -> void: starts the action, asked with
    // (actor, target, action hash, 0, 0, 1, 0); the result means nothing.
    {0x1C6CD14A876FFE39, "TASK", "TASK_PUT_PED_DIRECTLY_INTO_MELEE", kNoPed, ResultShape::U64},
    // PAD::IS_USING_KEYBOARD_AND_MOUSE(int control) -> BOOL: asked with (0); the random trigger
    // runs only when it is false, that is, on a controller.
    {0xA571D46727E2B718, "PAD", "IS_USING_KEYBOARD_AND_MOUSE", kNoPed, ResultShape::Int32},
    // PAD::IS_CONTROL_JUST_PRESSED(int control, Hash action) -> BOOL: asked with
    // (0, kInputSpecialAbilityAction); true on the tick the control is pressed.
    {0x580417101DDB492F, "PAD", "IS_CONTROL_JUST_PRESSED", kNoPed, ResultShape::Int32},
    // MISC::GET_RANDOM_INT_IN_RANGE(int startRange, int endRange) -> int: asked with (0, 5); the
    // upper bound is exclusive.
    {0xD53343AA4FB7DD28, "MISC", "GET_RANDOM_INT_IN_RANGE", kNoPed, ResultShape::Int32},
};

// The hash of the native named `name` in kNatives. Evaluated at compile time: a name that is not
// in the list does not compile.
constexpr std::uint64_t HashOf(std::string_view name) {
  for (const NativeInfo& native : kNatives) {
    if (name == native.name) return native.hash;
  }
  throw "not a native of kNatives";
}

// The list's entry for `hash`, or null when the plug-in calls no such native.
constexpr const NativeInfo* FindNative(std::uint64_t hash) {
  for (const NativeInfo& native : kNatives) {
    if (native.hash == hash) return &native;
  }
  return nullptr;
}

constexpr std::size_t kNativeCount = sizeof kNatives / sizeof kNatives[0];
// What NativeIndex answers for a hash the list does not hold.
constexpr std::uint8_t kUnlistedNative = 0xFF;

namespace detail {

// NativeIndex's table: bits 2 to 8 of each listed hash pick a distinct slot, which a static_assert
// below holds to. A native added later that shares a slot stops the build: pick other bits then.
constexpr unsigned kIndexSlots = 128;
constexpr unsigned IndexSlot(std::uint64_t hash) {
  return static_cast<unsigned>((hash >> 2) & (kIndexSlots - 1));
}
struct IndexTable {
  std::uint8_t row[kIndexSlots];
  bool distinct;
};
constexpr IndexTable MakeIndexTable() {
  IndexTable table{};
  table.distinct = true;
  for (unsigned slot = 0; slot < kIndexSlots; ++slot) table.row[slot] = kUnlistedNative;
  for (std::size_t row = 0; row < kNativeCount; ++row) {
    const unsigned slot = IndexSlot(kNatives[row].hash);
    if (table.row[slot] != kUnlistedNative) table.distinct = false;
    table.row[slot] = static_cast<std::uint8_t>(row);
  }
  return table;
}
inline constexpr IndexTable kIndexTable = MakeIndexTable();
static_assert(kIndexTable.distinct, "two natives share an index slot");
static_assert(kNativeCount < kUnlistedNative, "native rows must fit a byte");

}  // namespace detail

// The row of `hash` in kNatives, or kUnlistedNative: one table look-up, for the recorder, which
// asks it on every native call.
constexpr std::uint8_t NativeIndex(std::uint64_t hash) {
  const std::uint8_t row = detail::kIndexTable.row[detail::IndexSlot(hash)];
  return row != kUnlistedNative && kNatives[row].hash == hash ? row : kUnlistedNative;
}

namespace hash {

inline constexpr std::uint64_t kPlayerPedId = HashOf("PLAYER_PED_ID");
inline constexpr std::uint64_t kGetMeleeTargetForPed = HashOf("GET_MELEE_TARGET_FOR_PED");
inline constexpr std::uint64_t kGetEntityCoords = HashOf("GET_ENTITY_COORDS");
inline constexpr std::uint64_t kVdist2 = HashOf("VDIST2");
inline constexpr std::uint64_t kDoesEntityExist = HashOf("DOES_ENTITY_EXIST");
inline constexpr std::uint64_t kIsPedHuman = HashOf("IS_PED_HUMAN");
inline constexpr std::uint64_t kIsEntityDead = HashOf("IS_ENTITY_DEAD");
inline constexpr std::uint64_t kIsPedFatallyInjured = HashOf("IS_PED_FATALLY_INJURED");
inline constexpr std::uint64_t kIsPedOnMount = HashOf("IS_PED_ON_MOUNT");
inline constexpr std::uint64_t kIsPedInAnyVehicle = HashOf("IS_PED_IN_ANY_VEHICLE");
inline constexpr std::uint64_t kIsEntityInWater = HashOf("IS_ENTITY_IN_WATER");
inline constexpr std::uint64_t kIsPedIncapacitated = HashOf("IS_PED_INCAPACITATED");
inline constexpr std::uint64_t kIsPedRagdoll = HashOf("IS_PED_RAGDOLL");
inline constexpr std::uint64_t kIsPauseMenuActive = HashOf("IS_PAUSE_MENU_ACTIVE");
inline constexpr std::uint64_t kGetPedConfigFlag = HashOf("GET_PED_CONFIG_FLAG");
inline constexpr std::uint64_t kGetPedIsGrappling = HashOf("GET_PED_IS_GRAPPLING");
inline constexpr std::uint64_t kIsPedInCombat = HashOf("IS_PED_IN_COMBAT");
inline constexpr std::uint64_t kGetHashKey = HashOf("GET_HASH_KEY");
inline constexpr std::uint64_t kTaskPutPedDirectlyIntoMelee =
    HashOf("TASK_PUT_PED_DIRECTLY_INTO_MELEE");
inline constexpr std::uint64_t kIsUsingKeyboardAndMouse = HashOf("IS_USING_KEYBOARD_AND_MOUSE");
inline constexpr std::uint64_t kIsControlJustPressed = HashOf("IS_CONTROL_JUST_PRESSED");
inline constexpr std::uint64_t kGetRandomIntInRange = HashOf("GET_RANDOM_INT_IN_RANGE");

// The config flag PCF_Knockedout, asked with GET_PED_CONFIG_FLAG.
constexpr std::int32_t kPcfKnockedout = 11;
// The control INPUT_SPECIAL_ABILITY_ACTION, which tags targets in Dead Eye; asked with
// IS_CONTROL_JUST_PRESSED.
constexpr std::uint32_t kInputSpecialAbilityAction = 0x1ECA87D4;

}  // namespace hash
}  // namespace scuffler
