#!/usr/bin/env bash
# Configures and builds the whole tree into ./build (or $BUILD_DIR).
#   BUILD_TYPE=asan   builds with AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer
#                     into ./build-asan (unless BUILD_DIR names another folder)
set -euo pipefail
cd "$(dirname "$0")/.."
build_type=${BUILD_TYPE:-RelWithDebInfo}
default_dir=build
[ "$build_type" = asan ] && default_dir=build-asan
build_dir=${BUILD_DIR:-$default_dir}
launcher=()
if command -v ccache >/dev/null 2>&1; then
  # Work trees beside each other share one compiler cache.
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$(cd .. && pwd)}
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
if [ ! -f "$build_dir/build.ninja" ]; then
  cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE="$build_type" "${launcher[@]}"
fi
cmake --build "$build_dir" -j "${JOBS:-2}"
