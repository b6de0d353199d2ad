// Every native the plug-in calls, by hash, named after the game's public name for it. Each
// comment gives the public declaration and what the plug-in asks of that native. Constants only:
// usable from any thread.
#pragma once

#include <cstdint>

namespace scuffler::hash {

// Tick state and search.

// PLAYER::PLAYER_PED_ID() -> Ped: the player's ped.
constexpr std::uint64_t kPlayerPedId = 0x096275889B8E0EE0;
// PED::GET_MELEE_TARGET_FOR_PED(Ped ped) -> Ped: the ped the player is engaged with, or 0.
constexpr std::uint64_t kGetMeleeTargetForPed = 0x18A3E9EE1297FD39;
// ENTITY::GET_ENTITY_COORDS(Entity entity, BOOL alive, BOOL realCoords) -> Vector3: asked with
// (ped, 0, 0); a rider then reports its mount's position.
constexpr std::uint64_t kGetEntityCoords = 0xA86D5F069399F44D;
// BUILTIN::VDIST2(float x1, y1, z1, x2, y2, z2) -> float: the squared distance.
constexpr std::uint64_t kVdist2 = 0xB7A628320EFF8E47;

// Eligibility of a target, in the order it is asked. The first two must hold, the rest must not.

// ENTITY::DOES_ENTITY_EXIST(Entity entity) -> BOOL.
constexpr std::uint64_t kDoesEntityExist = 0xD42BD6EB2E0F1677;
// PED::IS_PED_HUMAN(Ped ped) -> BOOL.
constexpr std::uint64_t kIsPedHuman = 0xB980061DA992779D;
// ENTITY::IS_ENTITY_DEAD(Entity entity) -> BOOL.
constexpr std::uint64_t kIsEntityDead = 0x7D5B1F88E7504BBA;
// PED::IS_PED_FATALLY_INJURED(Ped ped) -> BOOL: true for an invalid handle too.
constexpr std::uint64_t kIsPedFatallyInjured = 0xD839450756ED5A80;
// PED::IS_PED_ON_MOUNT(Ped ped) -> BOOL: asked of the player too.
constexpr std::uint64_t kIsPedOnMount = 0x460BC76A0E10655E;
// PED::IS_PED_IN_ANY_VEHICLE(Ped ped, BOOL atGetIn) -> BOOL: asked with (ped, 0), of the player
// too.
constexpr std::uint64_t kIsPedInAnyVehicle = 0x997ABD671D25CA0B;
// ENTITY::IS_ENTITY_IN_WATER(Entity entity) -> BOOL.
constexpr std::uint64_t kIsEntityInWater = 0xDDE5C125AC446723;
// PED::IS_PED_INCAPACITATED(Ped ped) -> BOOL.
constexpr std::uint64_t kIsPedIncapacitated = 0xB655DB7582AEC805;
// PED::IS_PED_RAGDOLL(Ped ped) -> BOOL.
constexpr std::uint64_t kIsPedRagdoll = 0x47E4E977581C5B55;
// HUD::IS_PAUSE_MENU_ACTIVE() -> BOOL: while it holds, no ped is eligible and the player is not
// ready.
constexpr std::uint64_t kIsPauseMenuActive = 0x535384D6067BA42E;
// PED::GET_PED_CONFIG_FLAG(Ped ped, int flagId, BOOL p2) -> BOOL: asked with
// (ped, kPcfKnockedout, 1).
constexpr std::uint64_t kGetPedConfigFlag = 0x7EE53118C892B513;
// The config flag PCF_Knockedout.
constexpr std::int32_t kPcfKnockedout = 11;

// Readiness of the player: IS_PED_ON_MOUNT, IS_PED_IN_ANY_VEHICLE, this one, then
// IS_PAUSE_MENU_ACTIVE; none may hold.

// PED::GET_PED_IS_GRAPPLING(Ped ped) -> BOOL: asked of the player only.
constexpr std::uint64_t kGetPedIsGrappling = 0x0E99E3BF11BB6367;

// Triggers.

// PED::IS_PED_IN_COMBAT(Ped ped, Ped target) -> BOOL: asked with (player, target); the target is
// taken only while it is false.
constexpr std::uint64_t kIsPedInCombat = 0x4859F1FC66A6278E;
// MISC::GET_HASH_KEY(const char* string) -> Hash: an action name's hash.
constexpr std::uint64_t kGetHashKey = 0xFD340785ADF8CFB7;
// TASK::TASK_PUT_PED_DIRECTLY_INTO_MELEE(Ped ped, Ped meleeTarget, Hash meleeStyle, float p3,
// float animBlendRatio, BOOL p5, int p6) -> void: starts the action, asked with
// (actor, target, action hash, 0, 0, 1, 0); the result means nothing.
constexpr std::uint64_t kTaskPutPedDirectlyIntoMelee = 0x1C6CD14A876FFE39;
// PAD::IS_USING_KEYBOARD_AND_MOUSE(int control) -> BOOL: asked with (0); the random trigger runs
// only when it is false, that is, on a controller.
constexpr std::uint64_t kIsUsingKeyboardAndMouse = 0xA571D46727E2B718;
// PAD::IS_CONTROL_JUST_PRESSED(int control, Hash action) -> BOOL: asked with
// (0, kInputSpecialAbilityAction); true on the tick the control is pressed.
constexpr std::uint64_t kIsControlJustPressed = 0x580417101DDB492F;
// The control INPUT_SPECIAL_ABILITY_ACTION, which tags targets in Dead Eye.
constexpr std::uint32_t kInputSpecialAbilityAction = 0x1ECA87D4;
// MISC::GET_RANDOM_INT_IN_RANGE(int startRange, int endRange) -> int: asked with (0, 5); the
// upper bound is exclusive.
constexpr std::uint64_t kGetRandomIntInRange = 0xD53343AA4FB7DD28;

}  // namespace scuffler::hash
