#!/usr/bin/env bash
# Renders the default layout with the sample picture at 150 dpi (a 1500 x 1200 picture) for
# 20, 100, 1000 and 9999 images, and makes the nearest composite ImageMagick's montage can of
# the same number of tiles of the same sample (frames, shadows, labels, about the same size).
# Prints wall time (the median of several runs) and peak memory of each whole process and the
# ratio of the two times. A side whose run fails gets "failed" and no ratio, and the script then
# exits 1. montage draws its labels in Liberation Sans, named by its file: without a font it can
# open, montage exits 1 after writing a picture without labels.
#
# First, the PNG encoder on the 20-image composite at 300 dpi (and 150) beside zlib's level 6 over
# the same filtered rows and Qt's PNG writer (libpng with all filters, zlib's level 6): file
# size and time, from render_bench, when it is built.
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
# fc-match answers with some font whatever it is asked, so its answer is taken only when it is
# Liberation Sans itself.
font=$(fc-match -f '%{file}' 'Liberation Sans:style=Regular' 2>/dev/null || true)
if [[ $font != */LiberationSans-Regular.ttf || ! -r $font ]]; then
  font=/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf
fi
[[ -r $font ]] || { echo "Liberation Sans is not installed (fonts-liberation2)" >&2; exit 2; }
"$program" layout >"$work/default.txt"
sample=$build/SampleImage.jpg
background=$build/SampleBackground.jpg

field() { sed -n "s/.*$1=\([0-9.]*\).*/\1/p"; }

# Runs a command several times and prints the run of median time (the machine is shared, so
# single runs scatter). When a run fails it says so on standard error and prints "failed"
# instead: a failed run's time is not the time of the work asked for.
median_run() {
  local runs=$1
  shift
  local results=()
  for ((r = 0; r < runs; r++)); do
    local result
    result=$("$measure" "$@")
    if [[ $(field status <<<"$result") != 0 ]]; then
      echo "failed: $1: $result" >&2
      echo failed
      return
    fi
    results+=("$result")
  done
  printf '%s\n' "${results[@]}" | sort -t= -k2 -n | sed -n "$(((runs + 1) / 2))p"
}

mib() { awk -v k="$(field peak_kib <<<"$1")" 'BEGIN { printf "%.1f", k / 1024 }'; }

bench=$build/bench/render_bench
if [[ -x $bench ]]; then
  echo "PNG of the 20-image composite (median of 3; bytes is the file's size):"
  QT_QPA_PLATFORM=offscreen "$bench" \
    --benchmark_filter='BM_(EncodePng|ZlibLevel6SameRows|QtPngWriter)/' \
    --benchmark_repetitions=3 --benchmark_report_aggregates_only=true 2>/dev/null |
    awk '/_median/ { sub("/real_time_median", "", $1); printf "  %-28s %8s ms  %s\n", $1, $2, $NF }'
  echo
fi

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

failures=0
printf '%-7s %10s %11s %10s %11s %7s %s\n' images render_s render_MiB montage_s montage_MiB ratio \
  montage_picture
for n in 20 100 1000 9999; do
  ours=$(median_run 7 "$program" render "$work/default.txt" --images "$n" --dpi 150 \
    -o "$work/ours-$n.png")
  ours_s=failed ours_mib=-
  if [[ $ours != failed ]]; then ours_s=$(field seconds <<<"$ours") ours_mib=$(mib "$ours"); fi
  peer_s=- peer_mib=- ratio=- peer_size=-
  if (( n <= peer_max )); then
    read -r cols geometry < <(tile_geometry "$n")
    files=()
    for ((i = 0; i < n; i++)); do files+=("$sample"); done
    # The default layout's background picture and first caption line have their nearest
    # match in montage's texture and title.
    peer=$(median_run 3 montage "${files[@]}" -tile "${cols}x" -geometry "$geometry" -frame 4 \
      -shadow -label 'Sample Name' -font "$font" -pointsize 9 -texture "$background" \
      -title 'Sample text line 1' "$work/peer-$n.png")
    if [[ $peer == failed ]]; then
      peer_s=failed
    else
      peer_size=$(identify -format '%wx%h' "$work/peer-$n.png" 2>/dev/null || echo none)
      peer_s=$(field seconds <<<"$peer")
      peer_mib=$(mib "$peer")
    fi
  fi
  if [[ $ours_s == failed || $peer_s == failed ]]; then
    failures=$((failures + 1))
  elif [[ $peer_s != - ]]; then
    ratio=$(awk -v a="$peer_s" -v b="$ours_s" 'BEGIN { printf "%.1f", a / b }')
  fi
  printf '%-7s %10s %11s %10s %11s %7s %s\n' "$n" "$ours_s" "$ours_mib" "$peer_s" "$peer_mib" \
    "$ratio" "${peer_size:--}"
done
if [[ -n ${KEEP_PICTURES:-} ]]; then cp "$work"/*.png "$KEEP_PICTURES"/; fi
if ((failures > 0)); then
  echo "$failures comparison(s) had a failed run and give no ratio" >&2
  exit 1
fi
