#!/usr/bin/env bash
# Makes the pictures of the main frame in docs/ (Polish and English): the parameter list and the
# import field map open side by side and the menu "Otwarte okna" listing them, on a fresh data
# directory with the sample data and a few field map entries. Runs offscreen: no display is needed.
#   scripts/frame-screenshots.sh            # builds what is missing, writes docs/frame-*.png
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
if [ ! -f "$build_dir/build.ninja" ]; then
  cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo}
fi
cmake --build "$build_dir" --target barmond kadrel -j "${JOBS:-2}"
mkdir -p docs
data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT
export QT_QPA_PLATFORM=offscreen
"$build_dir/kadrel" --data-dir "$data" demo
# A field map as a workshop keeps it for its spreadsheet cut import and its cut lists (the shadow
# columns in upper case, as every writer of the tables keeps them).
python3 - "$data/DB/barmond.db" <<'PY'
import sqlite3, sys
rows = [("CUTS", "PROFIL", "Profil", "", "Kod profilu; wiersz z tą nazwą jest nagłówkiem"),
        ("CUTS", "ORDER", "Zlecenie", "", ""),
        ("CUTS", "LENGHT", "Długość", "ROUND(LENGHT)", "Długość w mm"),
        ("CUTS", "PCS", "Ilość", "", ""),
        ("CUTS", "PROFIL2", "", "LEFT(PROFIL, 6)", "Kod profilu w katalogu"),
        ("CUTS", "WEIGHT_UOM", "", "'kg'", "Jednostka wagi"),
        ("DETR", "DETR:Descr_1", "", "UPPER(VAR)", "Opis odcinka na liście cięć")]
db = sqlite3.connect(sys.argv[1])
with db:
    for t, name, ext, formula, descr in rows:
        db.execute('INSERT INTO INTERFACE_MAP (TYPE, INTERNAL_NAME, EXTERNAL_NAME, FORMULA, DESCRIPTION, '
                   'TYPE_UPPER, INTERNAL_NAME_UPPER) VALUES (?, ?, ?, ?, ?, ?, ?)',
                   (t, name, ext, formula, descr, t.upper(), name.upper()))
PY
for language in PL EN; do
  lower=$(echo "$language" | tr '[:upper:]' '[:lower:]')
  "$build_dir/barmond" --data-dir "$data" --language "$language" --screenshot "docs/frame-$lower.png" \
    2> >(grep -v -e "does not support" -e XDG_RUNTIME_DIR >&2)
  echo "docs/frame-$lower.png"
done
