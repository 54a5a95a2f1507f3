#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite.
#   BUILD_TYPE=asan ./test.sh   the same under AddressSanitizer, LeakSanitizer and
#                               UndefinedBehaviorSanitizer, built into ./build-asan
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
scripts/build.sh
build_dir=${BUILD_DIR:-build}
if [ "${BUILD_TYPE:-}" = asan ]; then
  build_dir=${BUILD_DIR:-build-asan}
  # Every finding fails its test; the programs the tests start inherit these settings.
  export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0:strict_string_checks=1}
  export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
fi
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build_dir" --output-on-failure -j 2 "$@"
