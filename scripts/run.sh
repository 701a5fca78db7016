#!/usr/bin/env bash
# Builds everything and starts the demo in a window on the generated data.
# Extra arguments go to the demo (without -w it would be full screen: use build/veskarra).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
exec build/veskarra -w "$@"
