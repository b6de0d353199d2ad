// The reader's shortcut for the usual tick, when the settings file has not changed since the
// document was built from it: the document already holds every section and key, so only the
// values are assigned again, and nothing is allocated.
//
// Not thread-safe; the document belongs to the script's thread.
#pragma once

#include <string_view>

#include "ini/IniDocument.h"
#include "ini/IniReadBuffers.h"

namespace scuffler {

// When parsing `bytes` into an empty document would create exactly the sections and keys that
// `document` holds, in the same order, assigns the values the parse would give and returns true:
// `document` is then what clearing it and parsing `bytes` would make it. Otherwise returns false
// as soon as that shows, with some values possibly assigned already; the caller then parses
// afresh. Parses with the line buffers of `buffers`; `bytes` may be its `bytes`.
bool AssignValuesInPlace(std::string_view bytes, IniDocument& document, IniReadBuffers& buffers);

}  // namespace scuffler
