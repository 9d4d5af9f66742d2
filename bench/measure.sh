# Helpers shared by the benchmark scripts that measure whole processes with run-measured;
# sourced, not run. The caller sets measure (run-measured's path), runs (runs per median) and
# work (a scratch folder).

# A field of run-measured's line: seconds, peak_kib or status.
field() { sed -n "s/.*$1=\([0-9.]*\).*/\1/p"; }
# The peak memory of run-measured's line in MiB.
mib() { awk -v k="$(field peak_kib <<<"$1")" 'BEGIN { printf "%.1f", k / 1024 }'; }

# The median run by time of the command; "failed" (and the reason on standard error) when any
# run fails, since a failed run's time is not the time of the work asked for. A function named
# before_run, when the caller defines one, runs before each run.
median_run() {
  local results=()
  for ((r = 0; r < runs; r++)); do
    if declare -F before_run >/dev/null; then before_run; fi
    local result
    result=$("$measure" "$@" 2>"$work/stderr")
    if [[ $(field status <<<"$result") != 0 ]]; then
      echo "failed: $1: $result: $(head -c 300 "$work/stderr")" >&2
      echo failed
      return
    fi
    results+=("$result")
  done
  printf '%s\n' "${results[@]}" | sort -t= -k2 -n | sed -n "$(((runs + 1) / 2))p"
}

# The file of Liberation Sans, which montage is given explicitly: without a font it can open it
# writes its picture without labels. fc-match answers with some font whatever it is asked, so its
# answer is taken only when it is Liberation Sans itself. Exits 2 when the font is not installed.
liberation_sans() {
  local font
  font=$(fc-match -f '%{file}' 'Liberation Sans:style=Regular' 2>/dev/null || true)
  if [[ $font != */LiberationSans-Regular.ttf || ! -r $font ]]; then
    font=/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf
  fi
  [[ -r $font ]] || { echo "Liberation Sans is not installed (fonts-liberation2)" >&2; exit 2; }
  echo "$font"
}
