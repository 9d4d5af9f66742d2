#!/usr/bin/env bash
# Renders the default layout with the sample picture at 150 dpi (a 1500 x 1200 picture) for
# 20, 100, 1000 and 9999 images, and makes the nearest composite ImageMagick's montage can of
# the same number of tiles of the same sample (frames, shadows, labels, about the same size).
# Prints wall time (the median of several runs) and peak memory of each whole process and the
# ratio of the two times.
#
#   bench/render_vs_montage.sh [BUILD_DIR]     (default /work/build-render-rel, a Release build)
#
# montage is run up to 100 tiles: at 1000 it runs out of the pixel cache that Debian's
# ImageMagick policy allows and fails. Set MONTAGE_PEER_MAX to change the limit.
set -euo pipefail
build=${1:-/work/build-render-rel}
program=$build/montage-designer
measure=$build/bench/run-measured
peer_max=${MONTAGE_PEER_MAX:-100}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

[[ -x $program && -x $measure ]] || { echo "build $program and $measure first" >&2; exit 2; }
command -v montage >/dev/null || { echo "ImageMagick's montage is not installed" >&2; exit 2; }
"$program" layout >"$work/default.txt"
sample=$build/SampleImage.jpg
background=$build/SampleBackground.jpg

field() { sed -n "s/.*$1=\([0-9.]*\).*/\1/p"; }

# Runs a command several times and prints the run of median time (the machine is shared, so
# single runs scatter); a run that fails is reported.
median_run() {
  local runs=$1
  shift
  for ((r = 0; r < runs; r++)); do
    local result
    result=$("$measure" "$@")
    if [[ $(field status <<<"$result") != 0 ]]; then echo "failed: $*: $result" >&2; fi
    echo "$result"
  done | sort -t= -k2 -n | sed -n "$(((runs + 1) / 2))p"
}

# montage's tiles for n images on about 1500 x 1200 pixels, our picture's size: a grid of the
# page's proportion, each tile holding a framed 10 by 8 portrait with a label under it.
tile_geometry() {
  awk -v n="$1" 'BEGIN {
    cols = int(sqrt(n * 1500 / 1200)); if (cols * cols < n * 1500 / 1200) cols++
    if (cols < 1) cols = 1
    rows = int((n + cols - 1) / cols)
    tw = 1500 / cols; th = 1200 / rows
    ih = 0.8 * th - 22; if (ih > 1.25 * 0.8 * tw) ih = 1.25 * 0.8 * tw
    iw = ih / 1.25
    if (iw < 4) iw = 4; if (ih < 5) ih = 5
    gx = (tw - iw - 8) / 2; gy = (th - ih - 22) / 2; if (gx < 0) gx = 0; if (gy < 0) gy = 0
    printf "%d %dx%d+%d+%d\n", cols, iw, ih, gx, gy
  }'
}

printf '%-7s %10s %11s %10s %11s %7s %s\n' images render_s render_MiB montage_s montage_MiB ratio \
  montage_picture
for n in 20 100 1000 9999; do
  ours=$(median_run 7 "$program" render "$work/default.txt" --images "$n" --dpi 150 \
    -o "$work/ours-$n.png")
  ours_s=$(field seconds <<<"$ours")
  ours_mib=$(awk -v k="$(field peak_kib <<<"$ours")" 'BEGIN { printf "%.1f", k / 1024 }')
  peer_s=- peer_mib=- ratio=- peer_size=-
  if (( n <= peer_max )); then
    read -r cols geometry < <(tile_geometry "$n")
    files=()
    for ((i = 0; i < n; i++)); do files+=("$sample"); done
    # The default layout's background picture and first caption line have their nearest
    # match in montage's texture and title.
    peer=$(median_run 3 montage "${files[@]}" -tile "${cols}x" -geometry "$geometry" -frame 4 \
      -shadow -label 'Sample Name' -pointsize 9 -texture "$background" \
      -title 'Sample text line 1' "$work/peer-$n.png")
    peer_size=$(identify -format '%wx%h' "$work/peer-$n.png" 2>/dev/null || echo none)
    peer_s=$(field seconds <<<"$peer")
    peer_mib=$(awk -v k="$(field peak_kib <<<"$peer")" 'BEGIN { printf "%.1f", k / 1024 }')
    ratio=$(awk -v a="$peer_s" -v b="$ours_s" 'BEGIN { printf "%.1f", a / b }')
  fi
  printf '%-7s %10s %11s %10s %11s %7s %s\n' "$n" "$ours_s" "$ours_mib" "$peer_s" "$peer_mib" \
    "$ratio" "${peer_size:--}"
done
if [[ -n ${KEEP_PICTURES:-} ]]; then cp "$work"/*.png "$KEEP_PICTURES"/; fi
