#!/usr/bin/env bash
# Fails when a tracked C++ file differs from .clang-format.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/deps.sh
vqr_ensure_packages clang-format
command -v clang-format >/dev/null || { echo "clang-format missing: format check failed" >&2; exit 1; }
files=$(git ls-files '*.cpp' '*.h' 2>/dev/null || true)
[ -z "$files" ] && exit 0
echo "$files" | xargs clang-format --dry-run --Werror
echo "format check: ok"
