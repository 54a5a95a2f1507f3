#!/usr/bin/env bash
# Makes the pictures of the cutting-order list and of the bar/piece tree in docs/ (Polish and
# English) from a small sample of cutting orders. Runs offscreen: no display is needed.
#   scripts/cutting-orders-screenshots.sh    # builds what is missing, writes docs/cutting-orders-*.png
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
if [ ! -f "$build_dir/build.ninja" ]; then
  cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo}
fi
cmake --build "$build_dir" --target cutting_orders_screenshot -j "${JOBS:-2}"
mkdir -p docs
export QT_QPA_PLATFORM=offscreen
for language in PL EN; do
  lower=$(echo "$language" | tr '[:upper:]' '[:lower:]')
  "$build_dir/cutting-orders-screenshot" --language "$language" \
    --list "docs/cutting-orders-$lower.png" --tree "docs/cutting-order-items-$lower.png"
  echo "docs/cutting-orders-$lower.png docs/cutting-order-items-$lower.png"
done
