#!/usr/bin/env bash
# Times `velmo convert FILE out.txt` against `soffice --headless --convert-to txt` of the same file in
# one run, and prints both (best of three wall-clock runs, peak resident memory) and their ratio.
# Usage: bench/compare_with_libreoffice.sh [FILE]   (default: the shared 1000-page DOCX)
set -euo pipefail
cd "$(dirname "$0")/.."
file=${1:-../shared/bench-docs/doc-1000p.docx}
velmo=build/bin/velmo
[ -f "$file" ] || { echo "no $file"; exit 0; }
[ -x "$velmo" ] || { echo "build first: $velmo is missing"; exit 1; }
command -v soffice >/dev/null || { echo "LibreOffice (soffice) is not installed"; exit 0; }

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# Prints "SECONDS KILOBYTES" of the best of three runs of the command.
best_of_three() {
  local best="" memory=""
  for _ in 1 2 3; do
    /usr/bin/time -f "%e %M" -o "$scratch/time" "$@" >/dev/null 2>&1
    read -r seconds kilobytes < "$scratch/time"
    if [ -z "$best" ] || awk "BEGIN{exit !($seconds < $best)}"; then best=$seconds; memory=$kilobytes; fi
  done
  echo "$best $memory"
}

read -r ours our_memory < <(best_of_three "$velmo" convert "$file" "$scratch/velmo.txt")
read -r theirs their_memory < <(best_of_three soffice --headless "-env:UserInstallation=file://$scratch/profile" \
  --convert-to txt --outdir "$scratch" "$file")
echo "file:        $file"
echo "velmo:       ${ours} s, peak ${our_memory} kB resident"
echo "soffice:     ${theirs} s, peak ${their_memory} kB resident (includes its start-up)"
awk "BEGIN{printf \"ratio:       velmo takes %.3f of soffice's time\n\", $ours / $theirs}"
