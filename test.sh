#!/usr/bin/env bash
# Installs what is missing, builds and runs every test.
#   ./test.sh             Release build in build/
#   ./test.sh --sanitize  ASan + UBSan build in build-asan/
set -euo pipefail
cd "$(dirname "$0")"
. scripts/deps.sh
. scripts/build.sh
vqr_ensure_packages $VQR_PACKAGES $VQR_GUI_CHECK_PACKAGES $VQR_PRINT_CHECK_PACKAGES \
  $VQR_PYTHON_CHECK_PACKAGES $(vqr_calc_packages nogui)
vqr_ensure_locale de_DE.UTF-8

build=build
flags=(-DCMAKE_BUILD_TYPE=Release -DVQR_BENCH=OFF)
if [ "${1:-}" = "--sanitize" ]; then
  build=build-asan
  flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DVQR_SANITIZE=ON -DVQR_BENCH=OFF)
fi
[ "${CI:-}" = "true" ] && flags+=(-DVQR_WERROR=ON)

cmake -S . -B "$build" "${flags[@]}" --log-level=WARNING >/dev/null
vqr_build "$build"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp"
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
