#!/usr/bin/env bash
# Fails when a C++ file of the project is not formatted as .clang-format says.
set -euo pipefail
cd "$(dirname "$0")/.."
format=$(command -v clang-format-14 || command -v clang-format)
git ls-files -co --exclude-standard -- 'src/*' 'tests/*' 'bench/*' 'fuzz/*' 'tools/*' |
  grep -E '\.(cpp|h)$' | xargs -r "$format" --dry-run --Werror
