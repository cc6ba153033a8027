#!/usr/bin/env bash
# Fresh Debian machine: installs the dependencies, builds the program, and starts the presentation.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
BUILD_TARGETS=dispersion bash scripts/build.sh
exec "${BUILD_DIR:-build}/app/dispersion" "$@"
