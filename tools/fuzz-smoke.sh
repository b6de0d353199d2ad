#!/usr/bin/env bash
# Builds the settings-file fuzzer (libFuzzer with AddressSanitizer and UndefinedBehaviorSanitizer,
# Debian's clang) in build/fuzz and runs it from the seeds in fuzz/corpus.
# Exits non-zero when the build fails or the fuzzer finds a crash, a leak or a broken property.
#
#   tools/fuzz-smoke.sh            # about 30 seconds, as CI runs it
#   tools/fuzz-smoke.sh 3600       # an hour
#
# Inputs that reach new code are kept in build/fuzz/corpus and reused by the next run; a crashing
# input is written to build/fuzz/crash-*.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-30}"
build="$root/build/fuzz"

CXX="${CXX_FUZZ:-clang++}" cmake -S "$root" -B "$build" -DSCUFFLER_FUZZ=ON -DBUILD_TESTING=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSCUFFLER_WERROR=ON >/dev/null
cmake --build "$build" -j2 --target ini_fuzzer

# The first directory receives new inputs; the checked-in seeds stay untouched.
mkdir -p "$build/corpus"
cd "$build"
exec "$build/fuzz/ini_fuzzer" "$build/corpus" "$root/fuzz/corpus" \
  -max_total_time="$seconds" -timeout=10 -artifact_prefix="$build/" -print_final_stats=1
