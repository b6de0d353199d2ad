#!/usr/bin/env bash
# Builds the release twice, from two copies of this tree at other paths, one after the other and
# under another time zone and umask, and checks that both give the same Scuffler.asi,
# Scuffler-check.exe and Scuffler-<version>-win64.zip, byte for byte. Prints their SHA-256, which is also how anyone
# checks a published release against this source (see the README).
#
#   tools/check-reproducible.sh
#
# The files are stamped with SOURCE_DATE_EPOCH when set, else with the time of the commit
# checked out. Uncommitted changes are built too: the copies hold git's files as they are now.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

export SOURCE_DATE_EPOCH="${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}"
version="$(sed -n 's/^project(Scuffler VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)"
zip="Scuffler-$version-win64.zip"
scratch="$(mktemp -d "${TMPDIR:-/tmp}/scuffler-reproducible.XXXXXX")"
trap 'rm -rf "$scratch"' EXIT

# Builds the plug-in, the checker and the zip in a copy of the tree at $scratch/$1/...; $2 and $3 are the time
# zone and umask it builds under.
build_copy() {
  local tree="$scratch/$1/scuffler-$1"
  mkdir -p "$tree"
  git ls-files -z --cached --others --exclude-standard |
    while IFS= read -r -d '' file; do [ -e "$file" ] && printf '%s\0' "$file"; done |
    xargs -0 cp --parents -t "$tree"
  (
    cd "$tree"
    export TZ="$2"
    umask "$3"
    cmake --preset windows -DBUILD_TESTING=OFF
    cmake --build --preset windows
    cpack --preset windows
  ) >"$scratch/$1.log" 2>&1 || { cat "$scratch/$1.log"; echo "reproducible: the build in $1 failed"; exit 1; }
  echo "$1: $(sha256sum "$tree/build/windows/Scuffler.asi" | cut -d' ' -f1)  Scuffler.asi"
  echo "$1: $(sha256sum "$tree/build/windows/Scuffler-check.exe" | cut -d' ' -f1)  Scuffler-check.exe"
  echo "$1: $(sha256sum "$tree/build/windows/$zip" | cut -d' ' -f1)  $zip"
}

build_copy first UTC 022
build_copy second America/Los_Angeles 077

failed=0
for file in Scuffler.asi Scuffler-check.exe "$zip" "$zip.sha256"; do
  if ! cmp "$scratch/first/scuffler-first/build/windows/$file" \
           "$scratch/second/scuffler-second/build/windows/$file"; then
    failed=1
  fi
done
if [ "$failed" -ne 0 ]; then
  echo "reproducible: the two builds differ"
  exit 1
fi
echo "reproducible: Scuffler.asi, Scuffler-check.exe and $zip identical in two builds (SOURCE_DATE_EPOCH=$SOURCE_DATE_EPOCH)"
