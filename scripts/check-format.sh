#!/usr/bin/env bash
# Fails when a C++ file of the project is not formatted as .clang-format says.
set -euo pipefail
cd "$(dirname "$0")/.."
format=$(command -v clang-format-14 || command -v clang-format)
folders=(src tests bench fuzz tools)

# Lists the files to check, one per line ending in a NUL. In the project's own repository git
# lists them, leaving out what .gitignore names; a tree unpacked from a release tarball has no
# repository (or lies inside another one), so the folders are walked instead.
list_files() {
  local top
  top=$(git rev-parse --show-toplevel 2>/dev/null || true)
  if [ -n "$top" ] && [ "$(cd "$top" && pwd -P)" = "$(pwd -P)" ]; then
    local patterns=()
    for folder in "${folders[@]}"; do patterns+=("$folder/*.cpp" "$folder/*.h"); done
    git ls-files -z -co --exclude-standard -- "${patterns[@]}"
  else
    local present=()
    for folder in "${folders[@]}"; do [ -d "$folder" ] && present+=("$folder"); done
    [ ${#present[@]} -eq 0 ] || find "${present[@]}" -type f \( -name '*.cpp' -o -name '*.h' \) -print0
  fi
}

list_files | xargs -0 -r "$format" --dry-run --Werror
