#!/usr/bin/env bash
# Fresh Debian machine: installs the dependencies, builds, and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh "$@"
ctest --test-dir "${BUILD_DIR:-build}" --output-on-failure --parallel "$(nproc)"
