#!/usr/bin/env bash
# Installs what is missing, builds the demo program, writes the sample documents and prints their paths.
exec "$(dirname "$0")/scripts/make-with-prerequisites.sh" demo
