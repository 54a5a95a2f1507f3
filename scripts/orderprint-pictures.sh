#!/usr/bin/env bash
# Makes the picture of an order print page in docs/: the sample data, two of its profiles' best
# solutions saved as cutting orders (the first one confirmed, so that part of the order is cut),
# the print of the first order written to PDF by barmond and its first page drawn by pdftoppm
# (poppler-utils). No display is needed.
#   scripts/orderprint-pictures.sh          # builds what is missing, writes docs/order-print-pl.png
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
if [ ! -f "$build_dir/build.ninja" ]; then
  cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo}
fi
cmake --build "$build_dir" --target kadrel_cli barmond -j "${JOBS:-2}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
kadrel="$build_dir/kadrel"
barmond="$build_dir/barmond"
"$kadrel" --data-dir "$work" demo >/dev/null
"$kadrel" --data-dir "$work" accept --profile 1 --description "Fasada biurowca B2 - etap I" >/dev/null
"$barmond" --data-dir "$work" transactions close 1 --yes >/dev/null
"$kadrel" --data-dir "$work" accept --profile 2 --description "Fasada biurowca B2 - obramowania" >/dev/null
mkdir -p docs
"$barmond" --data-dir "$work" orders print 1 --pdf "$work/order-print-pl.pdf" >/dev/null
pdftoppm -png -r 90 -f 1 -l 1 -singlefile "$work/order-print-pl.pdf" docs/order-print-pl
echo docs/order-print-pl.png
