#!/usr/bin/env bash
# Times the decoder against libjpeg-turbo's djpeg on the same 12-megapixel photo-like JPEG, in
# one run, and prints the ratio of the medians. The limit is 1.15.
#   bench/decode_vs_djpeg.sh [RELEASE-BUILD-FOLDER] (default /work/build-decoder-rel)
# The folder must hold a release build of jpeg_decode_bench:
#   cmake -S . -B /work/build-decoder-rel -G Ninja -DCMAKE_BUILD_TYPE=Release -DMONTAGE_TESTS=OFF
#   cmake --build /work/build-decoder-rel --target jpeg_decode_bench
set -euo pipefail
build=${1:-/work/build-decoder-rel}
reps=${REPS:-9}
bench=$build/bench/jpeg_decode_bench
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
jpeg=$work/photo-4000x3000.jpg

"$bench" --write-sample "$jpeg" 4000 3000
cat "$jpeg" > /dev/null  # both read the file from the page cache

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
elapsed_ms() {
  local start end
  start=$(date +%s%N)
  "$@" > /dev/null
  end=$(date +%s%N)
  awk -v ns=$((end - start)) 'BEGIN { printf "%.3f\n", ns / 1e6 }'
}

# Warm-up runs, then alternate the two so that both see the same machine load.
djpeg -dct float -nosmooth -outfile /dev/null "$jpeg"
"$bench" --decode-once "$jpeg"
djpeg_runs=() ours_runs=()
for _ in $(seq "$reps"); do
  djpeg_runs+=("$(elapsed_ms djpeg -dct float -nosmooth -outfile /dev/null "$jpeg")")
  ours_runs+=("$(elapsed_ms "$bench" --decode-once "$jpeg")")
done
djpeg_ms=$(printf '%s\n' "${djpeg_runs[@]}" | median)
process_ms=$(printf '%s\n' "${ours_runs[@]}" | median)

# In-process: the decode alone (open, map, decode into a fresh PLWinBmp), median of repetitions.
inproc_ms=$(MONTAGE_BENCH_JPEG=$jpeg "$bench" --benchmark_filter='^DecodeFile32/' \
  --benchmark_repetitions="$reps" --benchmark_report_aggregates_only=true \
  --benchmark_format=csv 2> /dev/null | awk -F, '$1 ~ /_median"?$/ { print $3 }')

echo "file: $(stat -c %s "$jpeg") bytes, 4000 x 3000, median of $reps runs each"
echo "djpeg -dct float -nosmooth (process):      $djpeg_ms ms"
echo "PLJPEGDecoder, 32 bpp (process):           $process_ms ms"
echo "PLJPEGDecoder, 32 bpp (in process):        $inproc_ms ms"
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f\n", a / b }'; }
echo "ratio, process to process:                 $(ratio "$process_ms" "$djpeg_ms")"
echo "ratio, in process to djpeg process:        $(ratio "$inproc_ms" "$djpeg_ms")"
