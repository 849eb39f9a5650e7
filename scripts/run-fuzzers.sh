#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build for the given number of seconds each, with its corpus under
# the build folder. Findings are written as crash-* files in the current folder and fail the run.
set -euo pipefail
build_dir=${1:-build-fuzz}
seconds=${2:-300}
status=0
for target in "$build_dir"/fuzz/*_fuzz; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus="$build_dir/corpus/$name"
  mkdir -p "$corpus"
  seeds="fuzz/seeds/${name%_fuzz}"
  [ -d "$seeds" ] || seeds=""
  echo "== $name for $seconds s"
  if ! "$target" -max_total_time="$seconds" -print_final_stats=1 "$corpus" $seeds; then
    status=1
  fi
done
exit $status
