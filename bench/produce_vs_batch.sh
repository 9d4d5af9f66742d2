#!/usr/bin/env bash
# A made-up school (make-class-pictures --school: 40 groups of 25 pupils, their teachers and 5
# more staff, 640 x 800 portraits) produced from the window, whole process (produce-from-window:
# the Produce Composites dialog on the offscreen platform, started with its Start button and run
# by the window's batch worker), against the batch command on the same school with the same
# layout, format and resolution. The two sides run in turn, the first of each pair alternating,
# so that a change in the machine's load falls on both; prints the median wall time and peak
# memory of each side and the ratio window / batch (the goal is 1.10 or less). A side whose run
# fails gets "failed" and no ratio, and the script then exits 1.
#
#   bench/produce_vs_batch.sh [BUILD_DIR]   (default /work/build-render-rel, Release)
#
# The school is made once into SCHOOL_DIR (default /tmp/montage-bench-school/pupils-1000, the
# school of batch_vs_montage.sh) and kept there. RUNS sets the runs of each side (5),
# SCHOOL_GROUPS and SCHOOL_PUPILS the school's size when it is made (40 groups of 25), FORMAT
# (jpg) and DPI (300) the composites, LAYOUT the layout (the starter layout with a main image).
set -euo pipefail
build=${1:-/work/build-render-rel}
program=$build/montage-designer
window=$build/bench/produce-from-window
measure=$build/bench/run-measured
maker=$build/tools/make-class-pictures
school=${SCHOOL_DIR:-/tmp/montage-bench-school/pupils-1000}
runs=${RUNS:-5}
format=${FORMAT:-jpg}
dpi=${DPI:-300}
layout=${LAYOUT:-$build/layouts/ClassWithMainImage.txt}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# shellcheck source=measure.sh
source "$(dirname "$0")/measure.sh"

[[ -x $program && -x $window && -x $measure && -x $maker ]] ||
  { echo "build $program, $window, $measure and $maker first" >&2; exit 2; }
[[ -f $layout ]] || { echo "no layout $layout" >&2; exit 2; }

if [[ ! -f $school/INDEX.TXT ]]; then
  echo "making a school of ${SCHOOL_GROUPS:-40} groups of ${SCHOOL_PUPILS:-25} pupils in $school ..." >&2
  rm -rf "$school"
  "$maker" --school "$school" "${SCHOOL_GROUPS:-40}" "${SCHOOL_PUPILS:-25}" >&2
fi
echo "school: $(grep -c . "$school/INDEX.TXT") portraits, $(du -sh "$school" | cut -f1) on disk;" \
  "$runs runs a side, $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg)"

# Each run starts with an empty output folder of its side, so that no run finds another's files
# and the last run of each side is left to compare with the other's.
batch_once() {
  rm -rf "$work/batch" && mkdir "$work/batch"
  measured_once "$program" batch "$layout" "$school/INDEX.TXT" -o "$work/batch" \
    --format "$format" --dpi "$dpi"
}
window_once() {
  rm -rf "$work/window" && mkdir "$work/window"
  measured_once "$window" "$layout" "$school/INDEX.TXT" "$work/window" "$format" "$dpi"
}
composites() { find "$work/$1" -name "*.$format" | wc -l; }

batch_runs=()
window_runs=()
failed=
for ((r = 0; r < runs; r++)); do
  if ((r % 2 == 0)); then order=(batch window); else order=(window batch); fi
  for side in "${order[@]}"; do
    result=$("${side}_once")
    [[ $result == failed ]] && failed+=" $side"
    made=$(composites "$side")
    echo "run $((r + 1)) $side: $result, $made composites" >&2
    if [[ $side == batch ]]; then batch_runs+=("$result"); else window_runs+=("$result"); fi
  done
done

printf '%-8s %10s %10s\n' side seconds peak_MiB
row() {
  if [[ $failed == *" $1"* ]]; then
    printf '%-8s %10s %10s\n' "$1" failed -
  else
    printf '%-8s %10s %10s\n' "$1" "$(field seconds <<<"$2")" "$(mib "$2")"
  fi
}
batch=$(median_line "${batch_runs[@]}")
window=$(median_line "${window_runs[@]}")
row batch "$batch"
row window "$window"
if [[ -n $failed ]]; then
  echo "no ratio: a side failed" >&2
  exit 1
fi
# The same work on both sides: the same files and the same report. The composites' bytes are
# compared too, but only told: with more than one job the batch command's own runs differ in
# the anti-aliasing of some caption text, so a difference there is no sign of other work.
if ! diff -q <(cd "$work/batch" && ls) <(cd "$work/window" && ls) >/dev/null ||
  ! cmp -s "$work/batch/report.csv" "$work/window/report.csv"; then
  echo "the window wrote other files or another report than the batch command" >&2
  exit 1
fi
differ=0
for file in "$work/batch"/*."$format"; do
  cmp -s "$file" "$work/window/${file##*/}" || differ=$((differ + 1))
done
echo "the same $(composites window) composites and report; $differ composites differ in bytes"
awk -v w="$(field seconds <<<"$window")" -v b="$(field seconds <<<"$batch")" \
  'BEGIN { printf "window / batch: %.3f (goal 1.10 or less)\n", w / b }'
