#!/usr/bin/env bash
# Runs a program that writes documents, then checks each document with real readers: qpdf --check
# (PDF), Ghostscript (renders PDF and PostScript) and the text read back (pdftotext for PDF,
# Ghostscript's text device for PostScript), where every expected text must be found.
# Usage: check-document.sh <document>... [--expect TEXT]... -- <program> [arguments]...
# A missing reader skips the check with exit code 77 (a skipped test for CTest), or fails when the
# environment variable CI is set.
set -euo pipefail

documents=()
expected=()
while [ "$#" -gt 0 ] && [ "$1" != "--" ]; do
  if [ "$1" = "--expect" ]; then
    expected+=("$2")
    shift 2
  else
    documents+=("$1")
    shift
  fi
done
shift  # the --
for document in "${documents[@]}"; do
  rm -f "$document"
  mkdir -p "$(dirname "$document")"
done
"$@"

need() {
  if ! command -v "$1" >/dev/null 2>&1; then
    if [ -n "${CI:-}" ]; then echo "FAIL: $1 is missing (CI)" >&2; exit 1; fi
    echo "SKIP: $1 is missing; ${documents[*]} written but not checked" >&2
    exit 77
  fi
}

for document in "${documents[@]}"; do
  [ -s "$document" ] || { echo "FAIL: $* wrote no $document" >&2; exit 1; }
  case "$document" in
    *.pdf)
      need qpdf
      if ! report=$(qpdf --check "$document" 2>&1); then
        echo "$report" >&2
        echo "FAIL: qpdf --check $document" >&2
        exit 1
      fi
      ;;
  esac

  need gs
  # Ghostscript reports some errors on stdout or stderr and still exits 0: check both.
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
done
