#!/usr/bin/env bash
# Builds the settings-file fuzzers (libFuzzer with AddressSanitizer and UndefinedBehaviorSanitizer,
# Debian's clang) in build/fuzz and runs them from the seeds in fuzz/corpus: ini_fuzzer, which
# parses from memory, for four sixths of the time, on inputs of up to 256 bytes (a dozen lines
# hold every form the line grammar has, and short inputs run fast), then ini_file_fuzzer, which
# reads each input from a file as a tick does, on inputs of any length, for a sixth, then
# recording_fuzzer, the sandbox's reader of recordings (seeds in fuzz/recordings), for a sixth.
# Exits non-zero when the build fails or a fuzzer finds a crash, a leak or a broken property.
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
cmake --build "$build" -j2 --target ini_fuzzer ini_file_fuzzer recording_fuzzer

# The first directory receives new inputs; the checked-in seeds stay untouched.
mkdir -p "$build/corpus"
cd "$build"
mkdir -p "$build/recordings"
on_disk=$((seconds / 6 > 0 ? seconds / 6 : 1))
recordings=$((seconds / 6 > 0 ? seconds / 6 : 1))
in_memory=$((seconds - on_disk - recordings > 0 ? seconds - on_disk - recordings : 1))
for run in "ini_fuzzer $in_memory corpus -max_len=256" "ini_file_fuzzer $on_disk corpus" \
           "recording_fuzzer $recordings recordings -max_len=4096"; do
  set -- $run
  echo "== $1, $2 s"
  "$build/fuzz/$1" "$build/$3" "$root/fuzz/$3" \
    -max_total_time="$2" -timeout=10 -artifact_prefix="$build/" -print_final_stats=1 "${@:4}"
done
