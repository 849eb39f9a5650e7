#!/usr/bin/env bash
# Runs a make target on a Debian machine that may have nothing installed yet, not even make: the set-up
# script needs only bash and apt, refreshes apt's package lists when something is missing and installs
# every package the build needs, make among them.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
exec make "$@"
