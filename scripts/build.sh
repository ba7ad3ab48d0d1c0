#!/usr/bin/env bash
# Configures (once) and builds the whole tree into build/. Extra arguments go to cmake --build.
set -euo pipefail
cd "$(dirname "$0")/.."
# Compiler cache entries keyed by paths relative to the checkout's parent, so that another clone hits them.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(cd .. && pwd)}"
build_type=${VELMO_BUILD_TYPE:-RelWithDebInfo}
if [ ! -f build/build.ninja ]; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE="$build_type"
fi
cmake --build build --parallel "$(nproc)" "$@"
