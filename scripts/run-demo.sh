#!/usr/bin/env bash
# The main job: until the demo program exists, report what the build produced.
set -euo pipefail
build_dir=${1:-build}
echo "Built the Paginor library:"
ls -1 "$build_dir"/library/libpaginor.so*
