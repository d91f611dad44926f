#!/usr/bin/env bash
# startup-vs-kst.sh [BUILD_DIR] [RUNS]: the start of vqrshow4 side by side with
# the general plotting tool kst2 on a private Xvfb display, in turns.
# vqrshow4: from start until the overview of samples/hours40.DAT has been
# painted (VQR_STARTUP_TRACE=exit). kst2: from start until its window is
# mapped, on the same recording as a text file (the ASCII export's time and
# 17 values, four curves plotted). Prints each pair and the medians' ratio.
set -eu
src=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$src/build}" && pwd)
runs=${2:-10}
. "$src/scripts/deps.sh"
vqr_ensure_packages kst xvfb xdotool bc
tmp=$(mktemp -d)
trap 'kill $xvfb 2>/dev/null; rm -rf "$tmp"' EXIT
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
sleep 1
export DISPLAY=$display
printf '[General]\nSavePos=OFF\n' >"$tmp/v.INI"
"$build/vqrtool" ascii "$src/samples/hours40.DAT" -o "$tmp/h.ASC" --defaults
awk -F, '{ printf "%d", $5; for (i = 6; i <= NF; ++i) printf " %s", $i; print "" }' \
  "$tmp/h.ASC" >"$tmp/h.txt"
now() { date +%s.%N; }
for _ in $(seq "$runs"); do
  t0=$(now)
  XDG_RUNTIME_DIR=$tmp TMPDIR=$tmp QT_QPA_PLATFORM=xcb \
    DBUS_SESSION_BUS_ADDRESS=unix:path=$tmp/nobus VQR_STARTUP_TRACE=exit \
    "$build/vqrshow4" "/ini=$tmp/v.INI" "$src/samples/hours40.DAT" >/dev/null 2>&1
  t1=$(now)
  kst2 "$tmp/h.txt" -x 1 -y 2 -y 3 -y 4 >/dev/null 2>&1 &
  pid=$!
  timeout 30 xdotool search --sync --onlyvisible --pid "$pid" >/dev/null 2>&1 || true
  t2=$(now)
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null || true
  echo "$(echo "$t1 - $t0" | bc) $(echo "$t2 - $t1" | bc)" >>"$tmp/times"
done
awk '{ v[NR] = $1; k[NR] = $2; printf "run %2d: vqrshow4 %.3f s  kst2 %.3f s\n", NR, $1, $2 }
     function median(a, n,   i, j, t) {
       for (i = 1; i <= n; ++i) for (j = i + 1; j <= n; ++j) if (a[j] < a[i]) { t = a[i]; a[i] = a[j]; a[j] = t }
       return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
     }
     END { mv = median(v, NR); mk = median(k, NR)
           printf "median: vqrshow4 %.3f s  kst2 %.3f s  ratio %.2f\n", mv, mk, mv / mk }' "$tmp/times"
