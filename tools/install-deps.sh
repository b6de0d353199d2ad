#!/usr/bin/env bash
# Installs the Debian 12 packages the build and the tests need, when they are missing.
# Safe to run again: it does nothing when everything is there.
set -euo pipefail

packages=(
  cmake g++ make libgtest-dev libgmock-dev libbenchmark-dev   # native build, tests, benchmark
  clang libclang-rt-14-dev clang-format                      # fuzzing, sanitizers, format check
  llvm                                                       # llvm-nm: the MSVC-ABI import check
  nlohmann-json3-dev libinih-dev                             # sandbox scenarios, benchmark reference
  g++-mingw-w64-x86-64-win32 mingw-w64-tools binutils-mingw-w64-x86-64  # Windows cross build
  wine64                                                     # running the Windows tests
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q "${missing[@]}"
