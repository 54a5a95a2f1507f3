#!/usr/bin/env bash
# Makes the pictures of the main frame in docs/ (Polish and English, the settings menu open and the
# parameter list over the frame) on a
# fresh data directory with the sample data. Runs offscreen: no display is needed.
#   scripts/frame-screenshots.sh            # builds what is missing, writes docs/frame-*.png
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
if [ ! -f "$build_dir/build.ninja" ]; then
  cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo}
fi
cmake --build "$build_dir" --target barmond -j "${JOBS:-2}"
mkdir -p docs
data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT
export QT_QPA_PLATFORM=offscreen
for language in PL EN; do
  lower=$(echo "$language" | tr '[:upper:]' '[:lower:]')
  "$build_dir/barmond" --data-dir "$data" --demo --language "$language" --screenshot "docs/frame-$lower.png" \
    2> >(grep -v -e "does not support" -e XDG_RUNTIME_DIR >&2)
  echo "docs/frame-$lower.png"
done
