#!/usr/bin/env bash
# Makes the pictures of the profile catalogue in docs/ (Polish and English) from a small sample
# catalogue. Runs offscreen: no display is needed.
#   scripts/catalogue-screenshots.sh         # builds what is missing, writes docs/catalogue-*.png
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
if [ ! -f "$build_dir/build.ninja" ]; then
  cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo}
fi
cmake --build "$build_dir" --target catalogue_screenshot -j "${JOBS:-2}"
mkdir -p docs
export QT_QPA_PLATFORM=offscreen
for language in PL EN; do
  lower=$(echo "$language" | tr '[:upper:]' '[:lower:]')
  "$build_dir/catalogue-screenshot" --language "$language" --output "docs/catalogue-$lower.png"
  echo "docs/catalogue-$lower.png"
done
