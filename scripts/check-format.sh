#!/usr/bin/env bash
# Fails when any C++ file of the tree is not formatted with the project's .clang-format.
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files -z -- '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror
echo "check-format.sh: the tree is formatted"
