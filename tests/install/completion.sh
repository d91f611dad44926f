#!/usr/bin/env bash
# vqrtool's bash completion as Tab would call it: commands, options, option
# values and recordings.   completion.sh VQRTOOL COMPLETION-SCRIPT
set -u
vqrtool=$(realpath "$1")
. "$2"
cd "$(mktemp -d)"
trap 'rm -rf "$PWD"' EXIT
touch a.DAT b.dat notes.txt pic.png rep.PDF book.xlsx
mkdir sub "my runs"

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

expect "vqrtool " "--help --version ascii check info overview print render report settings stats xlsx"
expect "vqrtool p" "print"
expect "vqrtool print a.DAT --w" "--window"
expect "vqrtool print a.DAT --window " "1 10 11 12 13 14 15 16 18 19 2 3 4 5 6 7 8 9"
expect "vqrtool print a.DAT --paper " "A3 A4 Letter"
expect "vqrtool ascii a.DAT --mode " "cal params raw"
expect "vqrtool info " "a.DAT b.dat my runs sub"
# An output is never offered a recording, which it would replace.
expect "vqrtool ascii a.DAT -o " "book.xlsx my runs notes.txt pic.png rep.PDF sub"
expect "vqrtool render a.DAT -o " "my runs pic.png rep.PDF sub"
expect "vqrtool print a.DAT -o " "my runs rep.PDF sub"
expect "vqrtool xlsx a.DAT -o " "book.xlsx my runs sub"
expect "vqrtool overview a.DAT -o s" "sub"
expect "vqrtool render a.DAT --ini " "a.DAT b.dat book.xlsx my runs notes.txt pic.png rep.PDF sub"
expect "vqrtool ascii a.DAT -o n" "notes.txt"
expect "vqrtool info a.DAT --" "--defaults --ini --json --public"
expect "vqrtool stats a.DAT --" "--compare --csv --defaults --from --ini --json --public --smooth --to --window --zero"
expect "vqrtool render a.DAT --c" "--compare --cursor"
expect "vqrtool check a.DAT b.dat --" "--defaults --from --ini --json --public --to"
expect "vqrtool check a.DAT " "a.DAT b.dat my runs sub"
touch lab.vqa
expect "vqrtool report " "a.DAT b.dat lab.vqa my runs sub"
expect "vqrtool info " "a.DAT b.dat my runs sub"
rm lab.vqa
expect "vqrtool render a.DAT --compare " "a.DAT b.dat my runs sub"
# A folder with a blank in its name is one entry, wherever folders are offered.
for words in "info my" "render a.DAT -o my" "ascii a.DAT --ini my"; do
  read -r -a COMP_WORDS <<<"vqrtool $words"
  COMP_WORDS[0]=$vqrtool
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  _vqrtool
  if [[ ${#COMPREPLY[@]} -ne 1 || ${COMPREPLY[0]} != "my runs" ]]; then
    echo "vqrtool $words<Tab>: got $(printf '[%s]' "${COMPREPLY[@]}"), expected [my runs]"
    status=1
  fi
done
exit $status
