#!/usr/bin/env bash
# Builds and runs every test twice: the normal debug build and the
# AddressSanitizer + UndefinedBehaviorSanitizer build; then builds the Debian
# package and runs the installed programs (scripts/package-check.sh).
# Installs what is missing first.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup-deps.sh

jobs=$(nproc 2>/dev/null || echo 2)
# Leaks in Qt's own one-time allocations are not ours; everything else aborts.
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

for preset in debug asan; do
  echo "=== ${preset}: configure and build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  echo "=== ${preset}: test"
  ctest --preset "$preset" -j "$jobs"
done

bash scripts/package-check.sh
