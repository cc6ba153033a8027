#!/usr/bin/env bash
# Configures and builds into BUILD_DIR (default: build). Extra arguments go to CMake's configure step.
# BUILD_TARGETS (space-separated target names) builds only those and what they need; default: all.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
targets=()
read -ra names <<<"${BUILD_TARGETS:-}"
if [ ${#names[@]} -gt 0 ]; then
  targets=(--target "${names[@]}")
fi
cmake -S . -B "$build_dir" -G Ninja "$@"
cmake --build "$build_dir" --parallel "$(nproc)" "${targets[@]}"
