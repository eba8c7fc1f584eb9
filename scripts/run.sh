#!/usr/bin/env bash
# Installs what is missing, builds, and runs the product. Without a real mouse attached,
# the virtual mouse stands in (--simulate).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh release
exec build/bin/korvane-cli --simulate devices "$@"
