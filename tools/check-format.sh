#!/usr/bin/env bash
# Checks that every C++ file git tracks follows .clang-format; lists the files that do not.
# To fix them: git ls-files '*.cpp' '*.h' | xargs clang-format -i
set -euo pipefail
cd "$(dirname "$0")/.."

git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror
echo "format: $(git ls-files '*.cpp' '*.h' | wc -l) files follow .clang-format"
