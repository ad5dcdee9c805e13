#!/usr/bin/env bash
# The main job on built-in defaults. Until the host program exists this runs
# the foundation demo: it builds a small drawing with the contour appender,
# prints it and writes it to out/.
set -euo pipefail
build=${1:-build/default}
mkdir -p out
"$build/bin/kvd-demo" out
