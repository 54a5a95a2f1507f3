#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program on the database in ./DB.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
scripts/build.sh
if [ -x build/kadrel ]; then
  build/kadrel init "$@"
else
  echo "kadrel was not built" >&2
  exit 1
fi
