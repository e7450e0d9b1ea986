#!/usr/bin/env bash
# Builds Fluxora and runs every test.
#   scripts/testar.sh [BUILD_DIR] [extra cmake options...]
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
shift || true
scripts/dependencias.sh
cmake -S . -B "$dir" "$@"
cmake --build "$dir" -j"$(nproc)"
ctest --test-dir "$dir" --output-on-failure -j2
