#!/usr/bin/env bash
# The main job on built-in defaults: every templates tab's default drawing
# into out/ (JSON, SVG, preview PNG), one piece file holding them, and a
# summary table. The libraries' own files (settings, logs) go to out/host/.
set -euo pipefail
build=${1:-build/default}
mkdir -p out
exec "$build/bin/kvdhost" run-all --out out
