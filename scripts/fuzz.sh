#!/usr/bin/env bash
# Builds the ZIP reader and DOCX import fuzz targets with clang's libFuzzer (and the sanitizers)
# in build-fuzz/ and runs each for FUZZ_SECONDS (default 60), seeded with the shared corpus's DOCX
# packages. Exits non-zero when a target finds a crash, a leak or a hang; skips without clang.
set -euo pipefail
cd "$(dirname "$0")/.."
# Compiler cache entries keyed by paths relative to the checkout's parent, so that another clone hits them.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(cd .. && pwd)}"
seconds=${FUZZ_SECONDS:-60}
if ! command -v clang++ >/dev/null; then
  echo "fuzz: clang++ is not installed, fuzzing skipped"
  exit 0
fi
if [ ! -f build-fuzz/build.ninja ]; then
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVELMO_FUZZ=ON -DVELMO_SANITIZE=ON >/dev/null
fi
cmake --build build-fuzz --parallel "$(nproc)" --target zip_reader_fuzzer docx_import_fuzzer

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/seeds" build-fuzz/findings
if [ -d ../shared/corpus ]; then
  find ../shared/corpus -iname '*.docx' -size -2M -exec cp -t "$scratch/seeds" {} + 2>/dev/null || true
fi

for target in zip_reader_fuzzer docx_import_fuzzer; do
  mkdir -p "$scratch/$target"
  echo "fuzz: $target for ${seconds} s"
  if ! "build-fuzz/bin/$target" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
      -artifact_prefix="build-fuzz/findings/$target-" -print_final_stats=1 \
      "$scratch/$target" "$scratch/seeds" > "$scratch/$target.log" 2>&1; then
    tail -40 "$scratch/$target.log"
    echo "fuzz: $target found a problem; the input is in build-fuzz/findings/"
    exit 1
  fi
  grep -E "stat::number_of_executed_units|Done [0-9]+ runs" "$scratch/$target.log" | tail -2
done
echo "fuzz: no findings"
