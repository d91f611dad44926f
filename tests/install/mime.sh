#!/usr/bin/env bash
# The desktop's file type of the package: recordings are recognised by their
# content whatever their name, and no other file is claimed for a name
# ending in .DAT or .dat.   mime.sh MIME-XML SAMPLES-FOLDER
# Status 77 (skipped) without the freedesktop MIME tools.
set -u
xml=$(realpath "$1")
samples=$(realpath "$2")
for tool in update-mime-database gio xmllint; do
  command -v $tool >/dev/null || { echo "$tool missing: skipped"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
xmllint --noout "$xml" || status=1
mkdir -p "$work/share/mime/packages" "$work/files"
cp "$xml" "$work/share/mime/packages/vqrshow4.xml"
# The database compiler warns about what it does not understand.
warnings=$(XDG_DATA_HOME=$work/share update-mime-database "$work/share/mime" 2>&1)
[ -z "$warnings" ] || { echo "update-mime-database: $warnings"; status=1; }

cd "$work/files"
recording=$samples/hours40.DAT
cp "$recording" rec.DAT
cp "$recording" rec.dat
cp "$recording" "no suffix"
head -c 117 "$recording" >cut.DAT # ends before the second reference marker
printf 'time;value\n1;2\n' >notes.dat
printf 'time;value\n1;2\n' >NOTES.DAT
head -c 4096 /dev/zero >zeros.DAT
cp /usr/share/mime/packages/freedesktop.org.xml other.DAT
printf '{\n  "compared": [],\n  "format": "vqrshow4-evaluation",\n  "version": 1\n}\n' >run.vqa
cp run.vqa "evaluation without suffix"
printf '{"format": "other"}\n' >other.json

type_of() {
  XDG_DATA_HOME=$work/share XDG_DATA_DIRS=/usr/share gio info -a standard::content-type "$1" |
    sed -n 's/^ *standard::content-type: //p'
}
# expect FILE CLAIMED(yes|no)
expect() {
  local got claimed=no
  got=$(type_of "$1")
  [[ $got == application/x-velqor-recording ]] && claimed=yes
  if [[ $claimed != "$2" ]]; then
    echo "$1: $got (claimed expected: $2)"
    status=1
  fi
}
expect rec.DAT yes
expect rec.dat yes
expect "no suffix" yes
expect cut.DAT no
expect notes.dat no
expect NOTES.DAT no
expect zeros.DAT no
expect other.DAT no
# evaluation FILE CLAIMED(yes|no)
evaluation() {
  local got is=no
  got=$(type_of "$1")
  [[ $got == application/x-vqrshow4-evaluation ]] && is=yes
  if [[ $is != "$2" ]]; then
    echo "$1: $got (evaluation expected: $2)"
    status=1
  fi
}
evaluation run.vqa yes
evaluation "evaluation without suffix" yes
evaluation other.json no
evaluation rec.DAT no
exit $status
