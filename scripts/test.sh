#!/usr/bin/env bash
# Installs what is missing, builds Brenlow with its tests and runs every test.
# With CI=true warnings are errors; the sanitizer build (the "asan" preset: AddressSanitizer and
# UndefinedBehaviorSanitizer) is made too, its fuzz targets run for a bounded time first, and it
# runs the whole suite again after the normal run. The Debian package is built and checked
# before the suite, so that the suite's summary closes the run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
preset=default
[ "${CI:-}" = "true" ] && preset=ci
bash scripts/build.sh "$preset"
if [ "${CI:-}" = "true" ]; then
  bash scripts/check-format.sh
  bash scripts/fuzz.sh "${FUZZ_SECONDS:-20}"
fi
bash scripts/package.sh "$preset"
QT_QPA_PLATFORM=offscreen ctest --preset "$preset" -j2
if [ "${CI:-}" = "true" ]; then
  QT_QPA_PLATFORM=offscreen ctest --preset asan -j2
fi
