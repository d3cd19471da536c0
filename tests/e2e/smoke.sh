#!/usr/bin/env bash
# The saver executable starts under Wine and ends on its own.
set -euo pipefail
source "$TARNWICK_SOURCE/tests/e2e/e2e_lib.sh"
e2e_run_scr /c:0 && code=0 || code=$?
echo "exit code $code"
