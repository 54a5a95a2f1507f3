#!/usr/bin/env bash
# Makes the pictures of the orders browse and of the piece form in docs/ (Polish and English) from a
# small sample of orders. Runs offscreen: no display is needed.
#   scripts/orders-screenshots.sh         # builds what is missing, writes docs/orders-*.png, docs/piece-form-*.png
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
if [ ! -f "$build_dir/build.ninja" ]; then
  cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo}
fi
cmake --build "$build_dir" --target orders_screenshot -j "${JOBS:-2}"
mkdir -p docs
export QT_QPA_PLATFORM=offscreen
for language in PL EN; do
  lower=$(echo "$language" | tr '[:upper:]' '[:lower:]')
  "$build_dir/orders-screenshot" --language "$language" --output "docs/orders-$lower.png" \
    --piece-form "docs/piece-form-$lower.png"
  echo "docs/orders-$lower.png docs/piece-form-$lower.png"
done
