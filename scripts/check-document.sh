#!/usr/bin/env bash
# Runs a program that writes one document, then checks the document with real readers: qpdf --check
# (PDF), Ghostscript (renders PDF and PostScript) and pdftotext (PDF; each expected text must be found).
# Usage: check-document.sh <document> [--expect TEXT]... -- <program> [arguments]...
# A missing reader skips the check with exit code 77 (a skipped test for CTest), or fails when the
# environment variable CI is set.
set -euo pipefail

document=$1
shift
expected=()
while [ "$#" -gt 0 ] && [ "$1" != "--" ]; do
  [ "$1" = "--expect" ] || { echo "unknown option $1" >&2; exit 2; }
  expected+=("$2")
  shift 2
done
shift  # the --
rm -f "$document"
mkdir -p "$(dirname "$document")"
"$@"
[ -s "$document" ] || { echo "FAIL: $* wrote no $document" >&2; exit 1; }

need() {
  if ! command -v "$1" >/dev/null 2>&1; then
    if [ -n "${CI:-}" ]; then echo "FAIL: $1 is missing (CI)" >&2; exit 1; fi
    echo "SKIP: $1 is missing; $document was written but not checked" >&2
    exit 77
  fi
}

case "$document" in
  *.pdf)
    need qpdf
    qpdf --check "$document" >/dev/null || { qpdf --check "$document" >&2; echo "FAIL: qpdf --check $document" >&2; exit 1; }
    ;;
esac

need gs
# Ghostscript reports errors on stderr (and sometimes on stdout) but may still exit 0: check both.
if ! rendered=$(gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=nullpage "$document" 2>&1) ||
   grep -qiE 'error|warning' <<<"$rendered"; then
  echo "$rendered" >&2
  echo "FAIL: Ghostscript could not render $document cleanly" >&2
  exit 1
fi

if [ "${#expected[@]}" -gt 0 ]; then
  case "$document" in
    *.pdf) need pdftotext; text=$(pdftotext -layout "$document" -) ;;
    *) text=$(gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=txtwrite -sOutputFile=- "$document") ;;
  esac
  for phrase in "${expected[@]}"; do
    grep -qF -- "$phrase" <<<"$text" || { echo "FAIL: \"$phrase\" not found in $document" >&2; exit 1; }
  done
fi
echo "OK: $document"
