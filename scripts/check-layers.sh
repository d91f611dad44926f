#!/usr/bin/env bash
# Fails when a source file includes a header from a higher floor of the house.
# Floors, ground floor first; a folder may include from its own floor and below.
set -euo pipefail
cd "$(dirname "$0")/.."

floor_of() {
  case "$1" in
    data/*) echo 0 ;;
    settings/ui/*) echo 7 ;;
    settings/*) echo 1 ;;
    export/ui/*) echo 7 ;;
    export/*) echo 2 ;;
    chart/qt/*) echo 4 ;;
    chart/ui/*) echo 7 ;;
    chart/*) echo 3 ;;
    session/*) echo 5 ;;
    ui/* | platform/*) echo 6 ;;
    print/*) echo 7 ;;
    app/*) echo 8 ;;
    tools/*) echo 9 ;;
    *) echo "" ;;
  esac
}

status=0
while IFS= read -r file; do
  own=$(floor_of "$file")
  [ -z "$own" ] && continue
  while IFS= read -r inc; do
    other=$(floor_of "$inc")
    [ -z "$other" ] && continue
    if [ "$other" -gt "$own" ]; then
      echo "$file includes $inc from a higher floor"
      status=1
    fi
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
done < <(git ls-files '*.cpp' '*.h')
[ "$status" -eq 0 ] && echo "layer check: ok"
exit "$status"
