#!/usr/bin/env bash
# Installs what is missing, builds, and starts the originality checker.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
if [ -x build/bin/originality_checker ]; then
  exec build/bin/originality_checker "$@"
fi
echo "Built. The checker window is not part of this build yet; build/bin holds what there is."
