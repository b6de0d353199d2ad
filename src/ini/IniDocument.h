// The settings file held in memory: sections by name, each a map of key names to value text.
//
// Filled by IniSource's Read, read through Lookup. Not thread-safe; script thread only.
#pragma once

#include <string>

#include "ini/OrderedNameMap.h"

namespace scuffler {

// Key name -> value text, exactly as parsed (trimmed, escapes in values left as written).
using IniSection = OrderedNameMap<std::string>;

// Section name -> section, in order of the first header of each section.
using IniDocument = OrderedNameMap<IniSection>;

}  // namespace scuffler
