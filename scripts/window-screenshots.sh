#!/usr/bin/env bash
# Makes the pictures of the optimizer window in docs/ (Polish and English, and method 5) from the sample problem
# optimizer/gui/tools/sample-problem.json, and of the save window of a solution. Runs offscreen: no
# display is needed.
#   scripts/window-screenshots.sh            # builds what is missing, writes docs/optimizer-window-*.png
#                                            # and docs/save-window-*.png
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
if [ ! -f "$build_dir/build.ninja" ]; then
  cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo}
fi
cmake --build "$build_dir" --target kadrel_window_screenshot kadrel_savecuts_screenshot -j "${JOBS:-2}"
mkdir -p docs
export QT_QPA_PLATFORM=offscreen
for language in PL EN; do
  lower=$(echo "$language" | tr '[:upper:]' '[:lower:]')
  "$build_dir/kadrel-window-screenshot" --problem optimizer/gui/tools/sample-problem.json \
    --language "$language" --size 1280x800 --output "docs/optimizer-window-$lower.png"
  echo "docs/optimizer-window-$lower.png"
done
# Method 5 on the same problem: the lower bound lines at 0 % excess.
"$build_dir/kadrel-window-screenshot" --problem optimizer/gui/tools/sample-problem.json --mode 5 \
  --language PL --size 1280x800 --output docs/optimizer-window-method5-pl.png
echo docs/optimizer-window-method5-pl.png
# The save window of a selected solution.
for language in PL EN; do
  lower=$(echo "$language" | tr '[:upper:]' '[:lower:]')
  "$build_dir/kadrel-savecuts-screenshot" --language "$language" --output "docs/save-window-$lower.png"
  echo "docs/save-window-$lower.png"
done
