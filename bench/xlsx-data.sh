#!/usr/bin/env bash
# The 1,000,000-line data export of gran.mdb in one Office Open XML sheet
# (xlsx-data), against the Excel 97 data export of the same run (xls-data,
# 16 sheets of 65,536 rows), which is the floor; CSV beside them. Medians of
# RUNS runs: wall seconds and peak resident memory.
#
#   bench/xlsx-data.sh BUILD_DIR GRAN_MDB [RUNS]
set -uo pipefail
build=$1
gran=$2
runs=${3:-3}
here=$(cd "$(dirname "$0")/.." && pwd)
report=$here/examples/vendes-per-pais.rpt
export QT_QPA_PLATFORM=offscreen

if [ ! -f "$gran" ]; then
  echo "== $gran is absent: the 1,000,000-line xlsx benchmark is not run."
  exit 0
fi

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

echo "== the 1,000,000-line data export, median of $runs (wall seconds, peak MB, file MB)"
for format in xls-data xlsx-data csv; do
  times=(); peaks=()
  case $format in xls-data) file=$out/x.xls ;; xlsx-data) file=$out/x.xlsx ;; csv) file=$out/x.csv ;; esac
  for _ in $(seq "$runs"); do
    rm -f "$file"
    line=$(/usr/bin/time -f "%e %M" "$build/src/cli/velmora-export" --format "$format" --output "$file" \
           "$report" "$gran" 2>&1 >/dev/null | tail -1)
    times+=("${line% *}"); peaks+=("${line#* }")
  done
  t=$(printf '%s\n' "${times[@]}" | median)
  m=$(printf '%s\n' "${peaks[@]}" | median)
  size=$(( $(stat -c %s "$file") / 1048576 ))
  label=$format
  [ "$format" = xls-data ] && label="xls-data (floor)"
  printf '  %-17s %7s s  %5d MB  %5d MB\n' "$label" "$t" "$((m / 1024))" "$size"
  if [ "$format" = xlsx-data ]; then
    sheets=$(unzip -l "$file" | grep -c 'xl/worksheets/sheet[0-9]*\.xml')
    extent=$(unzip -p "$file" xl/worksheets/sheet1.xml | head -c 2000 | grep -o 'dimension ref="[^"]*"')
    echo "    $sheets sheet(s), $extent"
  fi
done
