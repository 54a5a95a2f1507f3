#!/usr/bin/env bash
# Makes the pictures of the database maintenance in docs/ (Polish and English): the conversion
# window after converting the kept file of layout version 1, and the report of the database test.
# Runs offscreen: no display is needed.
#   scripts/database-pictures.sh            # builds what is missing, writes docs/database-*.png
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
if [ ! -f "$build_dir/build.ninja" ]; then
  cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo}
fi
cmake --build "$build_dir" --target settings_database_pictures -j "${JOBS:-2}"
mkdir -p docs
export QT_QPA_PLATFORM=offscreen
for language in PL EN; do
  lower=$(echo "$language" | tr '[:upper:]' '[:lower:]')
  "$build_dir/settings-database-pictures" --layout-v1 global/tests/data/layout-v1.db --language "$language" \
    --conversion "docs/database-conversion-$lower.png" --test "docs/database-test-$lower.png"
  echo "docs/database-conversion-$lower.png docs/database-test-$lower.png"
done
