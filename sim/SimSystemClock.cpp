// On Windows the plug-in reads kernel32's own tick count: there is no simulated clock to reset.
#include "SimState.h"

void sim::detail::ResetClock() {}
