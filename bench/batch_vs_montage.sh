#!/usr/bin/env bash
# A made-up school (make-class-pictures --school: 40 groups of 25 pupils, their 40 teachers and
# 5 more staff, 640 x 800 portraits) made into one 300 dpi JPEG composite per group by the batch
# command, whole process, against the same composites made one by one by ImageMagick's montage
# in a shell loop: one montage call per group with the group's files, its teacher or principal
# among them, an explicit font file, and tiles on a sheet of about 10 x 8 inches at 300 dpi.
# Prints wall time (the median of several runs) and peak memory of each side and the ratio of
# the two times (the goal is 10 or more, under 600 MB); then batch alone on a school of 4,000
# pupils (160 groups), whose peak memory should be no more than that of 1,000. A side whose run
# fails gets "failed" and no ratio, and the script then exits 1.
#
#   bench/batch_vs_montage.sh [BUILD_DIR]   (default /work/build-render-rel, Release)
#
# The schools are made once into SCHOOL_DIR (default /tmp/montage-bench-school) and kept there;
# remove the folder to make them anew. RUNS sets the runs per median (3), JOBS batch's --jobs
# (every core), LAYOUT the layout (the starter layout with a main image).
set -euo pipefail
build=${1:-/work/build-render-rel}
program=$build/montage-designer
measure=$build/bench/run-measured
maker=$build/tools/make-class-pictures
schools=${SCHOOL_DIR:-/tmp/montage-bench-school}
runs=${RUNS:-3}
jobs=${JOBS:-$(nproc)}
layout=${LAYOUT:-$build/layouts/ClassWithMainImage.txt}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# shellcheck source=measure.sh
source "$(dirname "$0")/measure.sh"

[[ -x $program && -x $measure && -x $maker ]] ||
  { echo "build $program, $measure and $maker first" >&2; exit 2; }
[[ -f $layout ]] || { echo "no layout $layout" >&2; exit 2; }
command -v montage >/dev/null || { echo "ImageMagick's montage is not installed" >&2; exit 2; }
font=$(liberation_sans)

# Makes the school of that many pupils once and prints its folder.
school() {
  local folder=$schools/pupils-$1
  if [[ ! -f $folder/INDEX.TXT ]]; then
    echo "making a school of $1 pupils in $folder ..." >&2
    rm -rf "$folder"
    "$maker" --school "$folder" --pupils "$1" >&2
  fi
  echo "$folder"
}

# Each run starts with an empty output folder, so that no run finds another's files.
before_run() { rm -rf "$work/out" && mkdir "$work/out"; }

# Our side: the batch command over the school's index.
ours() {
  # The general usage names every subcommand; a build from before batch names none such.
  if ! "$program" --help 2>&1 | grep -q 'batch LAYOUT'; then
    echo "this build has no batch command: our side is not measured" >&2
    echo failed
    return
  fi
  median_run "$program" batch "$layout" "$1/INDEX.TXT" -o "$work/out" --format jpg --dpi 300 \
    --jobs "$jobs" --quiet
}

# montage's side: the index's groups as batch makes them by default, by Teacher Name, the
# teacher's own row among the pupils and the rest of the staff one group more, written as a
# script of one montage call per group. Each call lays the group on 6 x 5 tiles of about
# 498 x 476 (2988 x 2380 pixels, 10 x 8 inches at 300 dpi), as class_render_vs_montage.sh does,
# asks libjpeg for no more than each tile needs (jpeg:size) and writes a JPEG of quality 95, as
# batch does.
montage_script() {
  tr -d '\r' <"$1/INDEX.TXT" | awk -F'\t' -v folder="$1" -v font="$font" '
    function quote(s) { gsub(/\047/, "\047\\\047\047", s); return "\047" s "\047" }
    {
      key = $4 == "Staff" ? "Staff" : $9
      if (!(key in files)) order[++groups] = key
      path = $2 "/" $3
      gsub(/\\/, "/", path)
      files[key] = files[key] " -label " quote($6 " " $5) " " quote(folder "/" path)
    }
    END {
      for (g = 1; g <= groups; g++) {
        printf "montage -define jpeg:size=330x412%s -tile 6x5 -geometry 330x412+80+8 -frame 4", files[order[g]]
        printf " -font %s -pointsize 9 -density 300 -quality 95 \"$1/group-%d.jpg\"\n", quote(font), g
      }
    }'
}

# montage's side, timed as one shell that runs the calls in turn.
peer() {
  montage_script "$1" >"$work/montage-$2.sh"
  median_run bash -e "$work/montage-$2.sh" "$work/out"
}

printf '%-8s %-8s %10s %10s\n' pupils side seconds peak_MiB
row() {
  if [[ $3 == failed ]]; then
    printf '%-8s %-8s %10s %10s\n' "$1" "$2" failed -
  else
    printf '%-8s %-8s %10s %10s\n' "$1" "$2" "$(field seconds <<<"$3")" "$(mib "$3")"
  fi
}

status=0
small=$(school 1000)
echo "school: $(grep -c . "$small/INDEX.TXT") portraits, $(du -sh "$small" | cut -f1) on disk" >&2
ours1000=$(ours "$small")
ours_files=$(find "$work/out" -name '*.jpg' | wc -l)
row 1000 batch "$ours1000"
peer1000=$(peer "$small" 1000)
peer_files=$(find "$work/out" -name '*.jpg' | wc -l)
peer_size=$(identify -format '%wx%h' "$work/out/group-1.jpg" 2>/dev/null || echo none)
row 1000 montage "$peer1000"
echo "composites: batch $ours_files, montage $peer_files (montage's sheet $peer_size)"
if [[ $ours1000 == failed || $peer1000 == failed ]]; then
  echo "no ratio: a side failed or was not run" >&2
  status=1
else
  awk -v a="$(field seconds <<<"$peer1000")" -v b="$(field seconds <<<"$ours1000")" \
    'BEGIN { printf "montage / batch: %.1f (goal 10 or more)\n", a / b }'
fi

large=$(school 4000)
ours4000=$(ours "$large")
row 4000 batch "$ours4000"
if [[ $ours1000 == failed || $ours4000 == failed ]]; then
  status=1
else
  awk -v a="$(field peak_kib <<<"$ours4000")" -v b="$(field peak_kib <<<"$ours1000")" \
    'BEGIN { printf "peak memory, 4,000 pupils / 1,000: %.2f (goal 1 or less)\n", a / b }'
fi
exit $status
