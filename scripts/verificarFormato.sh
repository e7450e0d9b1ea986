#!/usr/bin/env bash
# Checks that every C++ file of the tree is as clang-format 14 (Debian 12's) leaves it under
# .clang-format; lists the files that are not and fails. Changes nothing.
#   scripts/verificarFormato.sh            (to reformat them: the command it prints)
set -euo pipefail
cd "$(dirname "$0")/.."
formatador=${CLANG_FORMAT:-clang-format-14}
command -v "$formatador" >/dev/null || {
  echo "verificarFormato.sh: $formatador not found (apt-get install clang-format-14)" >&2
  exit 2
}

# The tracked files when this is a git checkout, else every C++ file outside build folders.
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t arquivos < <(git ls-files -- '*.cpp' '*.h')
else
  mapfile -t arquivos < <(find . -path './build*' -prune -o -type f \( -name '*.cpp' -o -name '*.h' \) -print |
    sed 's|^\./||' | sort)
fi

fora=()
for f in "${arquivos[@]}"; do
  "$formatador" --style=file --dry-run --Werror "$f" >/dev/null 2>&1 || fora+=("$f")
done
if [ "${#fora[@]}" -gt 0 ]; then
  echo "verificarFormato.sh: ${#fora[@]} of ${#arquivos[@]} files are not formatted:" >&2
  printf '  %s\n' "${fora[@]}" >&2
  echo "to reformat every C++ file: git ls-files -z -- '*.cpp' '*.h' | xargs -0 $formatador -i" >&2
  exit 1
fi
echo "verificarFormato.sh: ${#arquivos[@]} files formatted"
