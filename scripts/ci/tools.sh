#!/usr/bin/env bash
# The tests of the project's own tools (tests/tools/): the layer check, the coverage
# gate, the reference pages' renderer, the docs' snippet checks and the installer's
# fragments, each fed inputs that must make it fail as well as inputs that must pass. Ends with pytest's summary
# line, which scripts/run-tests.sh adds to the totals.
set -euo pipefail
cd "$(dirname "$0")/../.."
echo "=== tools"
# Nothing is written into the tools' folders (no __pycache__, no pytest cache).
PYTHONDONTWRITEBYTECODE=1 /usr/bin/python3 -m pytest -q -p no:cacheprovider tests/tools
