// The scenario the sandbox runs when it is given none: examples/quickstart.json, built into the
// program so that it runs from anywhere.
#pragma once

namespace sandbox {

extern const char* const kDefaultScenarioText;

}  // namespace sandbox
