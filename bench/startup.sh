#!/usr/bin/env bash
# startup.sh [BUILD_DIR] [RUNS] [FILE.DAT]: starts vqrshow4 RUNS times on a
# private Xvfb display with FILE.DAT (default samples/hours40.DAT), each run
# ending as soon as the overview has been painted (VQR_STARTUP_TRACE=exit),
# and prints each run's wall and processor seconds, then their medians.
set -eu
src=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$src/build}" && pwd)
runs=${2:-10}
file=$(realpath "${3:-$src/samples/hours40.DAT}")
tmp=$(mktemp -d)
trap 'kill $xvfb 2>/dev/null; rm -rf "$tmp"' EXIT
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
sleep 1
printf '[General]\nSavePos=OFF\n' >"$tmp/v.INI"
for _ in $(seq "$runs"); do
  DISPLAY=$display XDG_RUNTIME_DIR=$tmp TMPDIR=$tmp QT_QPA_PLATFORM=xcb \
    DBUS_SESSION_BUS_ADDRESS=unix:path=$tmp/nobus VQR_STARTUP_TRACE=exit \
    /usr/bin/time -f '%e %U %S' -a -o "$tmp/times" \
    "$build/vqrshow4" "/ini=$tmp/v.INI" "$file" >/dev/null 2>&1
done
awk '{ wall[NR] = $1; cpu[NR] = $2 + $3; printf "run %2d: wall %.2f s  cpu %.2f s\n", NR, $1, $2 + $3 }
     function median(a, n,   i, j, t) {
       for (i = 1; i <= n; ++i) for (j = i + 1; j <= n; ++j) if (a[j] < a[i]) { t = a[i]; a[i] = a[j]; a[j] = t }
       return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
     }
     END { printf "median: wall %.3f s  cpu %.3f s\n", median(wall, NR), median(cpu, NR) }' "$tmp/times"
