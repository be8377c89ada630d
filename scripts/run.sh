#!/usr/bin/env bash
# Installs what is missing, builds, and starts Sopaly from its program folder.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh build
exec build/bin/sopaly
