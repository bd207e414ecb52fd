#!/usr/bin/env bash
# Checks that every C++ file of the project is formatted by the committed .clang-format;
# changes nothing. Lists the files that are not and exits 1.
#   scripts/check-format.sh            (clang-format -i FILE... formats them)
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h' | grep -E '^(src|tests|bench|fuzz)/')
unformatted=()
for file in "${files[@]}"; do
  clang-format --dry-run --Werror "$file" >/dev/null 2>&1 || unformatted+=("$file")
done
if [ ${#unformatted[@]} -gt 0 ]; then
  printf 'not formatted by .clang-format: %s\n' "${unformatted[@]}"
  exit 1
fi
echo "format: ${#files[@]} files follow .clang-format"
