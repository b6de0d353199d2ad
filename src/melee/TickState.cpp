#include "melee/TickState.h"

namespace scuffler {

TickState gTickState;

}  // namespace scuffler
