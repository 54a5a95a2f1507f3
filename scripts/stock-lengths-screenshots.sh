#!/usr/bin/env bash
# Makes the pictures of the stock-length form and of the stock-log window in docs/ (Polish and
# English) on a small sample database of their own. Runs offscreen: no display is needed.
#   scripts/stock-lengths-screenshots.sh     # builds what is missing, writes docs/length-form-*.png
#                                            # and docs/stock-log-*.png
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
if [ ! -f "$build_dir/build.ninja" ]; then
  cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo}
fi
cmake --build "$build_dir" --target stock_lengths_screenshot -j "${JOBS:-2}"
mkdir -p docs
export QT_QPA_PLATFORM=offscreen
for language in PL EN; do
  lower=$(echo "$language" | tr '[:upper:]' '[:lower:]')
  for window in length-form stock-log; do
    "$build_dir/stock-lengths-screenshot" --window "${window#*-}" --language "$language" --output "docs/$window-$lower.png"
    echo "docs/$window-$lower.png"
  done
done
