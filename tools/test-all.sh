#!/usr/bin/env bash
# Runs every test suite of the project, installing missing packages first.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh
cmake --workflow --preset default
