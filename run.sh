#!/usr/bin/env bash
# Installs what is missing, builds, prepares the database of the data directory and, when it holds
# no profile yet, fills it with the sample data. The data directory is this folder (./DB and
# ./Barmond.ini) unless --data-dir DIR or the environment variable BARMOND_DATA names another.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
scripts/build.sh
if [ ! -x build/kadrel ]; then
  echo "kadrel was not built" >&2
  exit 1
fi
echo "== kadrel init: database, setup parameters, station"
build/kadrel "$@" init
echo "== kadrel demo: sample data for a database without profiles"
build/kadrel "$@" demo --if-empty
