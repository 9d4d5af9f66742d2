#!/usr/bin/env bash
# Renders the default layout with the sample picture at 150 dpi (a 1500 x 1200 picture) for
# 20, 100, 1000 and 9999 images, and makes the nearest composite ImageMagick's montage can of
# the same number of tiles of the same sample (frames, shadows, labels, about the same size).
# Prints wall time and peak memory of each whole process and the ratio of the two times.
#
#   bench/render_vs_montage.sh [BUILD_DIR]     (default /work/build-render-rel, a Release build)
#
# montage is run up to 1000 tiles; beyond that it takes minutes and gigabytes and says nothing
# new. Set MONTAGE_PEER_MAX to change the limit.
set -euo pipefail
build=${1:-/work/build-render-rel}
program=$build/montage-designer
measure=$build/bench/run-measured
peer_max=${MONTAGE_PEER_MAX:-1000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

[[ -x $program && -x $measure ]] || { echo "build $program and $measure first" >&2; exit 2; }
command -v montage >/dev/null || { echo "ImageMagick's montage is not installed" >&2; exit 2; }
"$program" layout >"$work/default.txt"
sample=$build/SampleImage.jpg

field() { sed -n "s/.*$1=\([0-9.]*\).*/\1/p"; }

# montage's tile geometry for n tiles on a 1500 x 1200 picture: portrait tiles of 10 by 8 with
# room for a label, as many columns as keep the tiles that shape.
tile_geometry() {
  awk -v n="$1" 'BEGIN {
    cols = 1
    while (1) {
      w = 1500 / cols; h = w * 1.25 + 14; rows = int((n + cols - 1) / cols)
      if (rows * h <= 1200) break
      cols++
    }
    iw = int(w * 0.8); ih = int(iw * 1.25); gap = int(w * 0.1)
    if (iw < 4) iw = 4; if (ih < 5) ih = 5
    printf "%d %dx%d+%d+%d\n", cols, iw, ih, gap, gap
  }'
}

printf '%-7s %12s %12s %12s %12s %8s\n' images render_s render_MiB montage_s montage_MiB ratio
for n in 20 100 1000 9999; do
  ours=$("$measure" "$program" render "$work/default.txt" --images "$n" --dpi 150 \
    -o "$work/ours-$n.png")
  ours_s=$(field seconds <<<"$ours")
  ours_mib=$(awk -v k="$(field peak_kib <<<"$ours")" 'BEGIN { printf "%.1f", k / 1024 }')
  peer_s=- peer_mib=- ratio=-
  if (( n <= peer_max )); then
    read -r cols geometry < <(tile_geometry "$n")
    files=()
    for ((i = 0; i < n; i++)); do files+=("$sample"); done
    peer=$("$measure" montage "${files[@]}" -tile "${cols}x" -geometry "$geometry" -frame 4 \
      -shadow -label 'Sample Name' -pointsize 9 -background '#dfe6ee' "$work/peer-$n.png")
    peer_s=$(field seconds <<<"$peer")
    peer_mib=$(awk -v k="$(field peak_kib <<<"$peer")" 'BEGIN { printf "%.1f", k / 1024 }')
    ratio=$(awk -v a="$peer_s" -v b="$ours_s" 'BEGIN { printf "%.1f", a / b }')
  fi
  printf '%-7s %12s %12s %12s %12s %8s\n' "$n" "$ours_s" "$ours_mib" "$peer_s" "$peer_mib" "$ratio"
done
if [[ -n ${KEEP_PICTURES:-} ]]; then cp "$work"/*.png "$KEEP_PICTURES"/; fi
