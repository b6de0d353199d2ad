#include "settings/Settings.h"

namespace scuffler {

Settings gSettings;

}  // namespace scuffler
