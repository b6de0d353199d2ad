// The five actions, apart from the triggers that start them: data only, so that the settings
// checker can read the tick's order without linking anything that calls the game.
#include "melee/Triggers.h"

namespace scuffler {

const MeleeAction kMeleeActions[kMeleeActionCount] = {
    {&Settings::iKick1NoRagdoll, "AR_ATT_COMBO_V2_PT3_LEFTSIDE"},
    {&Settings::iKickToChest, "AR_ATTACK_COUNTER_FROM_DODGELEFT_V1"},
    {&Settings::iKickToLeg, "AR_ATTACK_COUNTER_FROM_DODGERIGHT_V2"},
    {&Settings::iKick2MidFar, "AR_KICK_MID_FAR_V01"},
    {&Settings::iKick4Lowfar, "AR_KICK_LOW_FAR_V01"},
};

}  // namespace scuffler
