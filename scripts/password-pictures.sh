#!/usr/bin/env bash
# Makes the pictures of the password question of a server database in docs/ (Polish and English).
# Runs offscreen: no display is needed.
#   scripts/password-pictures.sh            # builds what is missing, writes docs/password-*.png
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
if [ ! -f "$build_dir/build.ninja" ]; then
  cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo}
fi
cmake --build "$build_dir" --target shell_password_picture -j "${JOBS:-2}"
mkdir -p docs
export QT_QPA_PLATFORM=offscreen
for language in PL EN; do
  lower=$(echo "$language" | tr '[:upper:]' '[:lower:]')
  "$build_dir/shell-password-picture" --language "$language" --output "docs/password-$lower.png"
  "$build_dir/shell-password-picture" --language "$language" --refused --output "docs/password-refused-$lower.png"
  echo "docs/password-$lower.png docs/password-refused-$lower.png"
done
