#!/usr/bin/env bash
# The main job: builds and runs the sample program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset native >/dev/null
cmake --build --preset native --target cp_sample_sim
build/native/sample/cp_sample_sim
