#!/usr/bin/env bash
# A class of 30 camera-sized photographs (6000 x 4000, made by make-class-pictures) drawn as a
# 10 x 8 inch composite at 300 dpi into a PDF, whole process, against ImageMagick's montage
# making a sheet of the same 30 files at the same size. montage is given its own best option,
# -define jpeg:size=, which lets libjpeg reduce each file while decoding as ours does, and an
# explicit font file. Prints wall time (the median of several runs) and peak memory of each
# process and the ratio of the two times; a side whose run fails gets "failed" and no ratio,
# and the script then exits 1. Then the class decoded alone and made into cell items, from
# class_decode_bench, and the preview's redraw of the class after a frame colour change, from
# preview_bench.
#
#   bench/class_render_vs_montage.sh [BUILD_DIR]   (default /work/build-render-rel, Release)
#
# The class is made once into CLASS_DIR (default /tmp/montage-bench-class) and kept there, since
# drawing and compressing 720 megapixels takes a while; remove the folder to make it anew.
set -euo pipefail
build=${1:-/work/build-render-rel}
program=$build/montage-designer
measure=$build/bench/run-measured
maker=$build/tools/make-class-pictures
class=${CLASS_DIR:-/tmp/montage-bench-class}
runs=${RUNS:-3}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# shellcheck source=measure.sh
source "$(dirname "$0")/measure.sh"

[[ -x $program && -x $measure && -x $maker ]] ||
  { echo "build $program, $measure and $maker first" >&2; exit 2; }
command -v montage >/dev/null || { echo "ImageMagick's montage is not installed" >&2; exit 2; }
font=$(liberation_sans)

studio_class "$class"
files=("$class"/class-*.jpg)
echo "class: ${#files[@]} pictures, $(du -sh "$class" | cut -f1) on disk"

# Ours: the starter layout with a main image, or the default layout, with the class list.
layout=$build/layouts/ClassWithMainImage.txt
[[ -f $layout ]] || { "$program" layout >"$work/default.txt"; layout=$work/default.txt; }
ours=failed
if "$program" render --help 2>&1 | grep -q -- '--class'; then
  ours=$(median_run "$program" render "$layout" --class "$class/class.csv" --paper 10x8 \
    --dpi 300 -o "$work/ours.pdf")
else
  echo "render has no --class option in this build: our side is not measured" >&2
fi

# montage: 6 x 5 tiles of about 498 x 476 on 2988 x 2380 pixels (10 x 8 inches at 300 dpi),
# each picture fitted into 330 x 412 with a frame and its name under it; jpeg:size asks libjpeg
# for at least that much, so both sides decode at 1/8. Debian's ImageMagick policy forbids
# writing PDF, so montage writes an 8-bit PNG of the sheet, compressed as our PDF's picture is.
names=()
while IFS=, read -r first last picture _; do
  [[ $first == FirstName ]] && continue
  names+=(-label "$first $last" "$class/$picture")
done < <(tr -d '\r' <"$class/class.csv")
peer=$(median_run montage -define jpeg:size=330x412 "${names[@]}" -tile 6x5 \
  -geometry 330x412+80+8 -frame 4 -font "$font" -pointsize 9 -density 300 -depth 8 \
  "$work/peer.png")

printf '%-10s %10s %10s\n' side seconds peak_MiB
for side in ours peer; do
  result=${!side}
  if [[ $result == failed ]]; then
    printf '%-10s %10s %10s\n' "$side" failed -
  else
    printf '%-10s %10s %10s\n' "$side" "$(field seconds <<<"$result")" "$(mib "$result")"
  fi
done
status=0
if [[ $ours == failed || $peer == failed ]]; then
  echo "no ratio: a side failed or was not run" >&2
  status=1
else
  awk -v a="$(field seconds <<<"$peer")" -v b="$(field seconds <<<"$ours")" \
    'BEGIN { printf "montage / ours: %.1f\n", a / b }'
fi

bench=$build/bench/class_decode_bench
if [[ -x $bench ]]; then
  echo
  echo "the class decoded alone and made into cell items (class_decode_bench):"
  MONTAGE_CLASS_DIR=$class "$bench" --benchmark_min_time=0.01 2>/dev/null |
    awk '/^DecodeClass/ { printf "  %-40s %10s ms\n", $1, $2 }'
fi
preview=$build/bench/preview_bench
if [[ -x $preview ]]; then
  echo
  echo "the preview redrawing the class after a frame colour change (preview_bench):"
  MONTAGE_CLASS_DIR=$class "$preview" --benchmark_filter=Class 2>/dev/null |
    awk '/^BM_/ { printf "  %-40s %10s ms\n", $1, $2 }'
fi
exit $status
