# Helpers shared by the benchmark scripts that measure whole processes with run-measured;
# sourced, not run. The caller sets measure (run-measured's path), runs (runs per median) and
# work (a scratch folder).

# A field of run-measured's line: seconds, peak_kib or status.
field() { sed -n "s/.*$1=\([0-9.]*\).*/\1/p"; }
# The peak memory of run-measured's line in MiB.
mib() { awk -v k="$(field peak_kib <<<"$1")" 'BEGIN { printf "%.1f", k / 1024 }'; }

# One run of the command: run-measured's line, or "failed" (and the reason on standard error)
# when it fails, since a failed run's time is not the time of the work asked for.
measured_once() {
  local result
  result=$("$measure" "$@" 2>"$work/stderr")
  if [[ $(field status <<<"$result") != 0 ]]; then
    echo "failed: $1: $result: $(head -c 300 "$work/stderr")" >&2
    echo failed
  else
    echo "$result"
  fi
}

# The median run by time of the command, or "failed" when any run fails. A function named
# before_run, when the caller defines one, runs before each run.
median_run() {
  local results=()
  for ((r = 0; r < runs; r++)); do
    if declare -F before_run >/dev/null; then before_run; fi
    local result
    result=$(measured_once "$@")
    if [[ $result == failed ]]; then
      echo failed
      return
    fi
    results+=("$result")
  done
  median_line "${results[@]}"
}

# The median by time of run-measured's lines given as arguments (the faster of the middle two
# for an even count).
median_line() {
  printf '%s\n' "$@" | sort -t= -k2 -n | sed -n "$((($# + 1) / 2))p"
}

# The class of 30 camera-sized photographs (6000 x 4000) in the folder, made there by
# make-class-pictures (the caller sets maker) when it is not there yet; exits 2 when the folder
# holds another number of pictures.
studio_class() {
  if [[ ! -f $1/class.csv ]]; then
    mkdir -p "$1"
    echo "making 30 pictures of 6000 x 4000 in $1 ..." >&2
    "$maker" "$1" 30
  fi
  local files=("$1"/class-*.jpg)
  ((${#files[@]} == 30)) || { echo "$1 does not hold 30 pictures" >&2; exit 2; }
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
