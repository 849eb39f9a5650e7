#!/usr/bin/env bash
# Renders the demo's sample documents into the pictures the README shows: the PDF with pdftoppm and the
# PostScript with Ghostscript on A4 (the sample's paper; PostScript files name no page size), each at
# 60 dots per inch.
#   docs/render-samples.sh [BUILD_DIR]
set -euo pipefail
build_dir=${1:-build}
docs=$(dirname "$0")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
TMPDIR=$work SOURCE_DATE_EPOCH=1796703518 "$build_dir/demo/PaginorDemo" --pdf --ps >/dev/null
pdftoppm -r 60 -png -singlefile "$work/Test.pdf" "$docs/sample-pdf"
gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=png16m -r60 -sPAPERSIZE=a4 -dTextAlphaBits=4 -dGraphicsAlphaBits=4 \
  -sOutputFile="$docs/sample-ps.png" "$work/Test.ps"
