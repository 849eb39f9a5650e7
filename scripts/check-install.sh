#!/usr/bin/env bash
# Installs Paginor into a temporary prefix, shared and then static, and builds the hello example outside
# the tree three ways against it: find_package(Paginor), pkg-config, and FetchContent of this checkout.
# Each program runs and its PDF is checked (scripts/check-document.sh: qpdf --check, Ghostscript).
# Then installs the Python module with `pip install` of the checkout into a fresh virtual environment,
# offline, and writes a PDF with it from another folder.
# Usage: check-install.sh [work directory, default: a temporary one, removed afterwards]
set -euo pipefail

checkout=$(cd "$(dirname "$0")/.." && pwd)
check_document=$checkout/scripts/check-document.sh
jobs=${JOBS:-2}
if [ "$#" -ge 1 ]; then
  work=$1
  rm -rf "$work" && mkdir -p "$work"
else
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
fi

quiet() {  # runs a command, showing its output only when it fails
  local log
  log=$(mktemp)
  if ! "$@" >"$log" 2>&1; then
    cat "$log" >&2
    rm -f "$log"
    echo "FAIL: $*" >&2
    exit 1
  fi
  rm -f "$log"
}

# The documents are checked after each program ran; a missing reader fails under CI, else skips.
check() {  # check <document> <program>
  local status=0
  "$check_document" "$1" --expect "Hello, world" -- "$2" "$1" || status=$?
  if [ "$status" -ne 0 ] && [ "$status" -ne 77 ]; then exit "$status"; fi
}

for kind in shared static; do
  shared=$([ "$kind" = shared ] && echo ON || echo OFF)
  prefix=$work/$kind/prefix
  echo "== $kind library: build and install into $prefix"
  quiet cmake -S "$checkout" -B "$work/$kind/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DBUILD_SHARED_LIBS=$shared -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DPAGINOR_TESTS=OFF -DPAGINOR_BENCH=OFF -DPAGINOR_EXAMPLES=OFF -DPAGINOR_DEMO=OFF -DPAGINOR_DOCS=OFF \
    -DPAGINOR_PYTHON=OFF
  quiet cmake --build "$work/$kind/build" -j "$jobs"
  quiet cmake --install "$work/$kind/build"

  libdir=$(dirname "$(find "$prefix" -name paginor.pc)")/..
  for file in include/paginor/paginor.h include/paginor/version.h; do
    [ -f "$prefix/$file" ] || { echo "FAIL: $file not installed" >&2; exit 1; }
  done
  [ -f "$libdir/cmake/Paginor/PaginorConfig.cmake" ] && [ -f "$libdir/cmake/Paginor/PaginorConfigVersion.cmake" ] ||
    { echo "FAIL: the CMake package is not installed" >&2; exit 1; }
  # Every installed header compiles on its own with the installed headers alone.
  for header in "$prefix"/include/paginor/*.h; do
    echo "#include <paginor/$(basename "$header")>" |
      quiet g++ -std=c++20 -Wall -Wextra -Werror -fsyntax-only -I"$prefix/include" -x c++ -
  done
  if [ "$kind" = shared ]; then
    soname=$(objdump -p "$libdir"/libpaginor.so | awk '/SONAME/ { print $2 }')
    [ -n "$soname" ] && [ -e "$libdir/$soname" ] || { echo "FAIL: no soname link ($soname)" >&2; exit 1; }
    echo "   soname $soname"
  else
    [ -f "$libdir/libpaginor.a" ] && ! ls "$libdir"/libpaginor.so* >/dev/null 2>&1 ||
      { echo "FAIL: the static build must install libpaginor.a alone" >&2; exit 1; }
  fi

  echo "== $kind: find_package(Paginor)"
  quiet cmake -S "$checkout/examples" -B "$work/$kind/package" -G Ninja -DCMAKE_PREFIX_PATH="$prefix"
  quiet cmake --build "$work/$kind/package" -j "$jobs" --target hello
  check "$work/$kind/package/hello.pdf" "$work/$kind/package/hello"

  echo "== $kind: pkg-config"
  export PKG_CONFIG_PATH=$libdir/pkgconfig
  [ "$(pkg-config --modversion paginor)" = "$(sed -n 's/^project(Paginor VERSION \([0-9.]*\).*/\1/p' "$checkout/CMakeLists.txt")" ] ||
    { echo "FAIL: pkg-config gives version $(pkg-config --modversion paginor)" >&2; exit 1; }
  static_flag=$([ "$kind" = static ] && echo --static || true)
  # shellcheck disable=SC2046  # the flags are meant to be split
  quiet g++ -std=c++20 -Wall -Wextra -Werror -o "$work/$kind/hello-pkg-config" "$checkout/examples/hello.cpp" \
    $(pkg-config --cflags --libs $static_flag paginor) -Wl,-rpath,"$(pkg-config --variable=libdir paginor)"
  unset PKG_CONFIG_PATH
  check "$work/$kind/hello-pkg-config.pdf" "$work/$kind/hello-pkg-config"

  echo "== $kind: FetchContent of the checkout"
  quiet cmake -S "$checkout/tests/install" -B "$work/$kind/fetch" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DBUILD_SHARED_LIBS=$shared -DPAGINOR_CHECKOUT="$checkout"
  quiet cmake --build "$work/$kind/fetch" -j "$jobs"
  check "$work/$kind/fetch/hello.pdf" "$work/$kind/fetch/hello"

  # The programs of the static build carry the library in themselves.
  if [ "$kind" = static ]; then
    for program in "$work/$kind/package/hello" "$work/$kind/hello-pkg-config" "$work/$kind/fetch/hello"; do
      # ldd's output is read whole first: under pipefail, grep -q leaving early would fail the pipe.
      libraries=$(ldd "$program")
      ! grep -q libpaginor <<<"$libraries" || { echo "FAIL: $program needs a shared libpaginor" >&2; exit 1; }
    done
  else
    for program in "$work/$kind/package/hello" "$work/$kind/hello-pkg-config"; do
      libraries=$(ldd "$program")
      grep -q "$prefix" <<<"$libraries" || { echo "FAIL: $program does not use the installed library" >&2; exit 1; }
    done
  fi
done
echo "== Python: pip install of the checkout, offline, into a virtual environment"
quiet /usr/bin/python3 -m venv "$work/venv"
# No index and no other source of packages: the build must use what is installed.
quiet env -u PIP_FIND_LINKS PIP_NO_INDEX=1 PIP_DISABLE_PIP_VERSION_CHECK=1 "$work/venv/bin/pip" install "$checkout"
mkdir -p "$work/elsewhere"
cat >"$work/elsewhere/hello.py" <<'PYTHON'
import sys

import paginor

with paginor.PDF() as pdf:
    pdf.Create(sys.argv[1])
    pdf.NewPage(36, 36, 36, 36, 255, 255, 255)
    pdf.SetFont(paginor.FontNumberConstants.Helvetica, 12, paginor.FontStyleConstants.Regular,
                paginor.FontEffectConstants.NoFontEffect)
    assert pdf.WriteText("Hello, world", True)
assert paginor.__file__.startswith(sys.prefix), paginor.__file__
PYTHON
status=0
(cd "$work/elsewhere" && "$check_document" hello.pdf --expect "Hello, world" -- "$work/venv/bin/python" hello.py hello.pdf) ||
  status=$?
if [ "$status" -ne 0 ] && [ "$status" -ne 77 ]; then exit "$status"; fi
echo "OK: installed, found and used in all three ways, shared and static, and from Python"
