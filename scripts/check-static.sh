#!/usr/bin/env bash
# Static analysis of the program's own code with cppcheck: every finding of the
# warning, style, performance and portability classes fails, except those in
# scripts/cppcheck.supp (each with its reason) and inline suppressions, which
# say why at the line.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/deps.sh
vqr_ensure_packages cppcheck
cppcheck --enable=warning,style,performance,portability --std=c++20 --library=qt \
  --inline-suppr --suppressions-list=scripts/cppcheck.supp --error-exitcode=1 \
  --quiet -j"$(nproc)" -I. \
  data settings export session chart print platform gui app tools python
echo "Static analysis: ok"
