#!/usr/bin/env bash
# Builds every libFuzzer target with clang in build-fuzz/ and runs each for the
# given number of seconds (default 60), one job, seeded with the sample files.
#   scripts/fuzz.sh [SECONDS [TARGET...]]   (targets: fuzz_rtf, ...; default all)
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/deps.sh
vqr_ensure_packages clang libclang-rt-14-dev cmake make $VQR_PACKAGES
seconds="${1:-60}"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVQR_FUZZ=ON \
  -DVQR_BENCH=OFF >/dev/null
shift || true
targets="${*:-$(ls fuzz/fuzz_*.cpp | xargs -n1 basename | sed 's/\.cpp$//')}"
# shellcheck disable=SC2086
cmake --build build-fuzz -j"$(nproc)" --target $targets >build-fuzz/build.log 2>&1 ||
  { tail -n 40 build-fuzz/build.log >&2; exit 1; }
for t in $targets; do
  corpus="build-fuzz/corpus/$t"
  mkdir -p "$corpus"
  seeds=()
  [ -d "fuzz/seeds/$t" ] && seeds+=("fuzz/seeds/$t")
  [ "$t" = fuzz_readdata ] && seeds+=(samples)
  echo "== $t for ${seconds}s"
  "build-fuzz/fuzz/$t" -max_total_time="$seconds" -print_final_stats=1 \
    "$corpus" "${seeds[@]}"
done
