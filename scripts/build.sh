# Sourced by run.sh, test.sh and .ci/run: builds quietly. The compiler's
# output goes to BUILD/build.log and is shown only when the build fails.
#   vqr_build BUILD [TARGET...]
vqr_build() {
  local dir="$1" jobs
  shift
  jobs="$(nproc)"
  local targets=()
  [ $# -gt 0 ] && targets=(--target "$@")
  mkdir -p "$dir"
  if [ ! -f "$dir/.built" ]; then
    echo "Building in $dir/ (the first build takes several minutes)..."
  fi
  if ! cmake --build "$dir" -j"$jobs" "${targets[@]}" >"$dir/build.log" 2>&1; then
    # The errors with a little context, or else the end of the log.
    local errors
    errors="$(grep -B2 -A6 -E "error:|undefined reference|CMake Error|No rule to make" \
      "$dir/build.log" | head -n 80 || true)"
    if [ -n "$errors" ]; then echo "$errors" >&2; else tail -n 30 "$dir/build.log" >&2; fi
    echo "Build failed; the whole output is in $dir/build.log" >&2
    return 1
  fi
  touch "$dir/.built"
}
