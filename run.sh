#!/usr/bin/env bash
# Installs what is missing, builds, and starts the desktop program `barmond` on the data directory:
# this folder (./DB and ./Barmond.ini, created on the first start) unless --data-dir DIR or the
# environment variable BARMOND_DATA names another.
#   ./run.sh                 start the program
#   ./run.sh --demo          fill an empty database with the sample data first, then start
#   ./run.sh --data-dir DIR  work on another data directory
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
scripts/build.sh
if [ ! -x build/barmond ]; then
  echo "barmond was not built" >&2
  exit 1
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display found: start the program from a desktop session, or run it under a virtual one:" >&2
  echo "  xvfb-run -a ./run.sh $*" >&2
  exit 1
fi
exec build/barmond "$@"
