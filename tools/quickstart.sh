#!/usr/bin/env bash
# The main job: installs what is missing, builds Scuffler.asi and its release zip for Windows,
# then builds the plug-in natively and runs a short simulated session that prints which melee
# actions were started. Arguments go to the sandbox (a scenario file, --svg FILE).
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh
cmake --preset windows
cmake --build --preset windows
cpack --preset windows
cmake --preset default
cmake --build --preset default --target scuffler-sandbox
build/default/tools/scuffler-sandbox "$@"
