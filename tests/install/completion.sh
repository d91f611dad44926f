#!/usr/bin/env bash
# vqrtool's bash completion as Tab would call it: commands, options, option
# values and recordings.   completion.sh VQRTOOL COMPLETION-SCRIPT
set -u
vqrtool=$(realpath "$1")
. "$2"
cd "$(mktemp -d)"
trap 'rm -rf "$PWD"' EXIT
touch a.DAT b.dat notes.txt
mkdir sub

status=0
# expect "WORDS TYPED SO FAR" "EXPECTED COMPLETIONS"
expect() {
  read -r -a COMP_WORDS <<<"$1"
  [[ $1 == *" " ]] && COMP_WORDS+=("")
  COMP_WORDS[0]=$vqrtool
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  _vqrtool
  local got
  got=$(printf '%s\n' "${COMPREPLY[@]}" | LC_ALL=C sort | tr '\n' ' ')
  if [[ "$got" != "$2 " ]]; then
    echo "$1<Tab>: got [$got], expected [$2 ]"
    status=1
  fi
}

expect "vqrtool " "--help --version ascii info overview print render settings stats xlsx"
expect "vqrtool p" "print"
expect "vqrtool print a.DAT --w" "--window"
expect "vqrtool print a.DAT --window " "1 10 11 12 13 14 15 16 18 19 2 3 4 5 6 7 8 9"
expect "vqrtool print a.DAT --paper " "A3 A4 Letter"
expect "vqrtool ascii a.DAT --mode " "cal params raw"
expect "vqrtool info " "a.DAT b.dat sub"
expect "vqrtool ascii a.DAT -o n" "notes.txt"
expect "vqrtool info a.DAT --" "--defaults --ini --json --public"
expect "vqrtool stats a.DAT --" "--compare --csv --defaults --from --ini --json --public --smooth --to --window --zero"
expect "vqrtool render a.DAT --c" "--compare --cursor"
expect "vqrtool render a.DAT --compare " "a.DAT b.dat sub"
exit $status
