#!/usr/bin/env bash
# Fails when a C++ file is not formatted as the repository's .clang-format says.
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror
