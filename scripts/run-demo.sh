#!/usr/bin/env bash
# The main job: the demo program, without its window, writes the sample document as PDF (Test.pdf) and
# as PostScript (Test.ps) into the temporary directory ($TMPDIR, else /tmp) and prints their paths.
set -euo pipefail
build_dir=${1:-build}
exec "$build_dir/demo/PaginorDemo" --pdf --ps
