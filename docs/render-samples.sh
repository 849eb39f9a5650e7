#!/usr/bin/env bash
# Renders the demo's sample documents, the invoice and the multilingual examples into the pictures the README shows: PDF with pdftoppm and
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

# The invoice example's two pages, as PDF (page 1) and as PostScript (page 2).
SOURCE_DATE_EPOCH=1796703518 "$build_dir/examples/invoice" "$work/invoice" >/dev/null
pdftoppm -r 60 -png -f 1 -l 1 -singlefile "$work/invoice.pdf" "$docs/invoice-page1"
gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=png16m -r60 -sPAPERSIZE=a4 -dFIXEDMEDIA -dTextAlphaBits=4 \
  -dGraphicsAlphaBits=4 -dFirstPage=2 -dLastPage=2 -sOutputFile="$docs/invoice-page2.png" "$work/invoice.ps"

# The multilingual example's page.
SOURCE_DATE_EPOCH=1796703518 "$build_dir/examples/multilingual" "$work/multilingual.pdf" >/dev/null
pdftoppm -r 60 -png -singlefile "$work/multilingual.pdf" "$docs/multilingual"
