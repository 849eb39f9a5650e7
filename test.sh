#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test, also under the sanitizers; checks the
# API reference and installs and uses the library from outside the tree.
exec "$(dirname "$0")/scripts/make-with-prerequisites.sh" test
