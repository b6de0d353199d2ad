#!/usr/bin/env bash
# The main job: installs what is missing, builds the plug-in and runs a short simulated session
# that prints which melee actions were started.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh
cmake --preset default
cmake --build --preset default --target scuffler-sandbox
build/default/tools/scuffler-sandbox "$@"
