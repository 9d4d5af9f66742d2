#!/usr/bin/env bash
# Studio originals against the decoding bound: render --class of 30 camera-sized photographs
# (6000 x 4000, made by make-class-pictures) into a 300 dpi PDF, whole process, beside libjpeg's
# own djpeg decoding the same 30 files at 1/8 of their size, spread over every core with
# xargs -P, in the same run. djpeg does nothing but decode, so its time is the least any program
# drawing these files at that size can take; the goal is ours within 1.3 times of it. The two
# alternate run by run, so that both see the same load; prints the medians and their ratio, and
# exits 1 without a ratio when a run fails.
#
#   bench/class_render_vs_djpeg.sh [BUILD_DIR]   (default /work/build-render-rel, Release)
#
# The class is made once into CLASS_DIR (default /tmp/montage-bench-class) and kept there, as
# class_render_vs_montage.sh makes it; RUNS sets the runs per median (7).
set -euo pipefail
build=${1:-/work/build-render-rel}
program=$build/montage-designer
measure=$build/bench/run-measured
maker=$build/tools/make-class-pictures
class=${CLASS_DIR:-/tmp/montage-bench-class}
runs=${RUNS:-7}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# shellcheck source=measure.sh
source "$(dirname "$0")/measure.sh"

[[ -x $program && -x $measure && -x $maker ]] ||
  { echo "build $program, $measure and $maker first" >&2; exit 2; }
command -v djpeg >/dev/null || { echo "djpeg is not installed (libjpeg-turbo-progs)" >&2; exit 2; }
studio_class "$class"
files=("$class"/class-*.jpg)
cores=$(nproc)
layout=$build/layouts/ClassWithMainImage.txt
[[ -f $layout ]] || { "$program" layout >"$work/default.txt"; layout=$work/default.txt; }

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# One run of a side: its seconds, or "failed".
timed() {
  local result
  result=$(measured_once "$@")
  if [[ $result == failed ]]; then echo failed; else field seconds <<<"$result"; fi
}

# Both read the files from the page cache.
cat "${files[@]}" >/dev/null
djpeg_runs=() ours_runs=() failed=0
for ((r = 0; r < runs; r++)); do
  bound=$(timed sh -c 'printf "%s\0" "$@" | xargs -0 -n 1 -P '"$cores"' djpeg -scale 1/8 \
    -outfile /dev/null' djpeg "${files[@]}")
  ours=$(timed "$program" render "$layout" --class "$class/class.csv" --paper 10x8 --dpi 300 \
    -o "$work/ours.pdf")
  if [[ $bound == failed || $ours == failed ]]; then
    failed=1
    break
  fi
  djpeg_runs+=("$bound")
  ours_runs+=("$ours")
done
if ((failed)); then
  echo "no ratio: a run failed" >&2
  exit 1
fi
djpeg_s=$(printf '%s\n' "${djpeg_runs[@]}" | median)
ours_s=$(printf '%s\n' "${ours_runs[@]}" | median)
echo "class: 30 pictures of 6000 x 4000, $(du -sh "$class" | cut -f1) on disk; $cores cores;" \
  "median of $runs runs"
echo "djpeg -scale 1/8 over $cores cores: $djpeg_s s"
echo "render --class to a 300 dpi PDF:    $ours_s s"
awk -v a="$ours_s" -v b="$djpeg_s" \
  'BEGIN { printf "ours / decoding bound: %.2f (goal 1.3 or less)\n", a / b }'
