#!/usr/bin/env bash
# Fresh Debian machine: installs the dependencies, builds, and starts the presentation.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
if [ -x build/app/dispersion ]; then
  exec build/app/dispersion "$@"
else
  echo "Built. The program itself is not there yet: nothing to start."
fi
