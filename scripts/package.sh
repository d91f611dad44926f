#!/usr/bin/env bash
# Builds the Debian package in build/ (cpack -G DEB), lists its files,
# installs it as an administrator would (apt-get install ./vqrshow4_*.deb),
# tries the installed programs and removes the package again. CI runs it as
# root; elsewhere it uses sudo.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/deps.sh
. scripts/build.sh
vqr_ensure_packages $VQR_PACKAGES $VQR_PACKAGING_PACKAGES
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"

build=build
[ -f "$build/CMakeCache.txt" ] ||
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DVQR_BENCH=OFF --log-level=WARNING >/dev/null
vqr_build "$build" vqrshow4 vqrtool velqor manpages
rm -f "$build"/vqrshow4_*.deb
if ! (cd "$build" && cpack -G DEB >cpack.log 2>&1); then
  tail -n 30 "$build/cpack.log" >&2
  exit 1
fi
deb=$(ls "$build"/vqrshow4_*.deb)
echo "== $deb"
dpkg-deb --field "$deb" Package Version Architecture Depends Recommends Suggests
dpkg-deb --contents "$deb" | awk '{print $NF}'

# What the package must hold, and a desktop entry that validates.
files=$(dpkg-deb --contents "$deb" | awk '{print $NF}' | sed 's|^\./|/|')
for f in /usr/bin/vqrshow4 /usr/bin/vqrtool /usr/share/applications/vqrshow4.desktop \
  /usr/share/icons/hicolor/scalable/apps/vqrshow4.svg /usr/share/mime/packages/vqrshow4.xml \
  /usr/share/vqrshow4/vqrshow4.HLP /usr/share/vqrshow4/samples/hours40.DAT \
  /usr/share/vqrshow4/vqrshow4_en.HLP /usr/share/vqrshow4/translations/vqrshow4_en.qm \
  /usr/share/man/man1/vqrtool.1.gz /usr/share/man/man1/vqrshow4.1.gz \
  /usr/share/bash-completion/completions/vqrtool /usr/share/doc/vqrshow4/copyright \
  /usr/share/doc/vqrshow4/changelog.gz /usr/share/metainfo/localhost.vqrshow4.vqrshow4.metainfo.xml \
  /usr/lib/python3/dist-packages/velqor/__init__.py /usr/lib/python3/dist-packages/velqor/__init__.pyi \
  /usr/lib/python3/dist-packages/velqor/py.typed; do
  grep -qx "$f" <<<"$files" || { echo "package lacks $f" >&2; exit 1; }
done
dpkg-deb --field "$deb" Depends | grep -q "libqt6widgets6" ||
  { echo "Depends was not computed from the libraries" >&2; exit 1; }
# The fonts are no library: a fresh Debian without them draws Arial's
# diagrams and the windows' sans serif in other faces.
for font in fonts-liberation2 fonts-dejavu-core; do
  dpkg-deb --field "$deb" Depends | grep -qw "$font" || { echo "Depends lacks $font" >&2; exit 1; }
done
grep -q "^/usr/lib/python3/dist-packages/velqor/_velqor\.cpython-.*\.so$" <<<"$files" ||
  { echo "package lacks the module velqor" >&2; exit 1; }
dpkg-deb --field "$deb" Depends | grep -qw "python3-numpy" || { echo "Depends lacks python3-numpy" >&2; exit 1; }
dpkg-deb --field "$deb" Suggests | grep -qw "python3-pandas" || { echo "Suggests lacks python3-pandas" >&2; exit 1; }
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
desktop-file-validate "$unpacked/usr/share/applications/vqrshow4.desktop"
# The file type the package installs: recordings by their content only.
bash tests/install/mime.sh "$unpacked/usr/share/mime/packages/vqrshow4.xml" samples
appstreamcli validate --no-net "$unpacked"/usr/share/metainfo/*.metainfo.xml

# Installed and removed as on a lab computer.
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "./$deb" >/dev/null
version=$(sed -n 's/^project(vqrshow4 VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ "$(/usr/bin/vqrtool --version)" = "vqrtool $version" ]
[ "$(/usr/bin/vqrshow4 --version)" = "vqrshow4 $version" ]
home=$(mktemp -d)
HOME=$home /usr/bin/vqrtool info /usr/share/vqrshow4/samples/hours40.DAT >/dev/null
# The installed program finds its English translation (it says so when not).
started=$(HOME=$home LANG=en_US.UTF-8 QT_QPA_PLATFORM=offscreen VQR_STARTUP_TRACE=exit \
  timeout 60 /usr/bin/vqrshow4 /usr/share/vqrshow4/samples/hours40.DAT 2>&1 >/dev/null) || true
if grep -q "translation was not found" <<<"$started"; then
  echo "the installed vqrshow4 lacks its English translation" >&2
  exit 1
fi
man -w vqrtool >/dev/null && man -w vqrshow4 >/dev/null
MANWIDTH=80 man vqrtool 2>/dev/null | grep -q "EXIT STATUS"
# Both pages fit an 80-column terminal.
for page in vqrtool vqrshow4; do
  width=$(LC_ALL=C MANWIDTH=80 man "$page" 2>/dev/null | wc -L)
  [ "$width" -le 80 ] || { echo "man $page is $width columns wide" >&2; exit 1; }
done
bash -c '. /usr/share/bash-completion/completions/vqrtool && complete -p vqrtool' >/dev/null
# The Python module from Debian's interpreter, not from the build folder.
(cd / && env -u PYTHONPATH HOME="$home" /usr/bin/python3 -c "import velqor")
(cd / && env -u PYTHONPATH HOME="$home" /usr/bin/python3 -c "
import velqor
rec = velqor.read('/usr/share/vqrshow4/samples/hours40.DAT')
assert rec.sample_count > 0 and velqor.stats(rec, window=1)['curves'][0]['n'] == rec.sample_count
assert velqor.__file__.startswith('/usr/lib/python3/dist-packages/velqor/'), velqor.__file__
")
rm -rf "$home"
$sudo env DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq vqrshow4 >/dev/null
for f in $files; do
  if [ -f "$f" ]; then
    echo "$f is left after removal" >&2
    exit 1
  fi
done
for dir in /usr/share/vqrshow4 /usr/lib/python3/dist-packages/velqor; do
  [ ! -e "$dir" ] || { echo "$dir is left after removal" >&2; exit 1; }
done
echo "package: built, installed, tried and removed"
