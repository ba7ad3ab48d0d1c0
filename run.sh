#!/usr/bin/env bash
# Installs what is missing, builds everything and starts the editor.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
scripts/build.sh
if [ -x build/bin/VelmoEditor ]; then
  exec build/bin/VelmoEditor "$@"
fi
echo "The editor window is not built yet; the command-line tool is ready:"
exec build/bin/velmo --help
