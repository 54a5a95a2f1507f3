#!/usr/bin/env bash
# Makes the pictures of the cut import window in docs/ (Polish and English). Runs offscreen: no
# display is needed.
#   scripts/cutimport-screenshots.sh        # builds what is missing, writes docs/cut-import-*.png
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
if [ ! -f "$build_dir/build.ninja" ]; then
  cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo}
fi
cmake --build "$build_dir" --target barmond_cutimport_screenshot -j "${JOBS:-2}"
mkdir -p docs
export QT_QPA_PLATFORM=offscreen
for language in PL EN; do
  lower=$(echo "$language" | tr '[:upper:]' '[:lower:]')
  "$build_dir/barmond-cutimport-screenshot" --language "$language" --output "docs/cut-import-$lower.png"
  echo "docs/cut-import-$lower.png"
done
