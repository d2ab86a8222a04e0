#!/usr/bin/env bash
# The floors of docs/architecture.md, held: every #include "folder/..." in
# the product's sources must name a folder that the table there allows for
# the including file's own folder. A folder is matched by its longest
# listed prefix, so platform/posix/ is a floor of its own inside platform/.
set -euo pipefail
top=${1:-$(cd "$(dirname "$0")/.." && pwd)}
map="$top/docs/architecture.md"
[ -f "$map" ] || { echo "FAIL: no $map" >&2; exit 1; }

# Rows of the floors table: | `folder/` | `allowed/`, `allowed/` ... |
declare -A allowed=()
while IFS= read -r line; do
  folder=${line#*\`}
  folder=${folder%%\`*}
  rest=${line#*|*|}
  allowed[$folder]=$(grep -o '`[a-z0-9_/]*/`' <<<"$rest" | tr -d '`' | tr '\n' ' ')
done < <(grep -E '^\| `[a-z0-9_/]+/` \|' "$map")
[ "${#allowed[@]}" -gt 0 ] || { echo "FAIL: no floors table in $map" >&2; exit 1; }

# floor_of PATH: the longest listed folder that PATH lies in, or nothing.
floor_of() {
  local best="" folder
  for folder in "${!allowed[@]}"; do
    if [[ "$1" == "$folder"* && ${#folder} -gt ${#best} ]]; then best=$folder; fi
  done
  printf '%s' "$best"
}

cd "$top"
broken=0
checked=0
for folder in "${!allowed[@]}"; do
  while IFS= read -r file; do
    own=$(floor_of "$file")
    [ "$own" = "$folder" ] || continue
    checked=$((checked + 1))
    while IFS= read -r included; do
      target=$(floor_of "$included")
      if [ -z "$target" ] || [[ " ${allowed[$own]} " != *" $target "* ]]; then
        echo "FAIL: $file includes \"$included\": $own may include ${allowed[$own]}" >&2
        broken=$((broken + 1))
      fi
    done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\/[^"]*\)".*/\1/p' "$file")
  done < <(find "$folder" -maxdepth 1 -type f \( -name '*.h' -o -name '*.cpp' \))
done
[ "$checked" -gt 0 ] || { echo "FAIL: no source files found under the listed floors" >&2; exit 1; }
[ "$broken" -eq 0 ] || exit 1
echo "ok: $checked files keep to their floors"
