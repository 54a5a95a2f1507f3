#!/usr/bin/env bash
# Makes the pictures of a cut list page in docs/ (Polish and English): the sample data, its first
# profile's best solution saved as a cutting order, the cut list printed to PDF by kadrel and its
# first page drawn by pdftoppm (poppler-utils). No display is needed.
#   scripts/cutlist-pictures.sh             # builds kadrel when missing, writes docs/cutlist-*.png
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
if [ ! -f "$build_dir/build.ninja" ]; then
  cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo}
fi
cmake --build "$build_dir" --target kadrel_cli -j "${JOBS:-2}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
kadrel="$build_dir/kadrel"
"$kadrel" --data-dir "$work" demo >/dev/null
"$kadrel" --data-dir "$work" accept --profile 2 --description "Fasada biurowca B2 - etap I" >/dev/null
mkdir -p docs
for language in PL EN; do
  lower=$(echo "$language" | tr '[:upper:]' '[:lower:]')
  summary=()
  [ "$language" = PL ] && summary=(--summary)
  "$kadrel" --data-dir "$work" print --transaction 1 "${summary[@]}" --language "$language" \
    --pdf "$work/cutlist-$lower.pdf" >/dev/null 2>&1
  pdftoppm -png -r 90 -f 1 -l 1 -singlefile "$work/cutlist-$lower.pdf" "docs/cutlist-$lower"
  echo "docs/cutlist-$lower.png"
done
