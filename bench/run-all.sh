#!/usr/bin/env bash
# Runs every benchmark and prints its figures. Those over the large database
# read ../shared/fixtures/gran.mdb beside the checkout (or $VELMORA_GRAN) and
# say so plainly when it is absent.
#
#   bench/run-all.sh BUILD_DIR [RUNS]
set -uo pipefail
build=${1:-build}
runs=${2:-3}
here=$(cd "$(dirname "$0")/.." && pwd)
gran=${VELMORA_GRAN:-$here/../shared/fixtures/gran.mdb}
report=$here/examples/vendes-per-pais.rpt
export QT_QPA_PLATFORM=offscreen

echo "== writers: pages per second on a dense page, our PDF writer against Qt's own PDF painting"
"$build/bench/bench_writers"

echo "== the report wizard's preview: from the choices to the first page, against a hand-written report"
"$build/bench/bench_wizard_preview" "$runs"

if [ ! -f "$gran" ]; then
  echo "== $gran is absent: the benchmarks over the large database are not run."
  exit 0
fi

echo "== reading and joining the order lines, against mdb-export"
"$build/bench/bench_read_access" "$gran"

echo "== laying out the grouped report: first page, last page, memory"
"$build/bench/bench_report_gran" "$gran" "$report" "$runs"

echo "== the grouped report to PDF with three formatting formulas on every detail line, against it without"
"$build/bench/bench_formatting_gran" "$gran" "$runs"

echo "== ranking the 5,000 clients by sales, against the same report in client order"
"$build/bench/bench_ranking_gran" "$gran" "$runs"

echo "== a cross-tab of client by month to PDF, against mdb-export of the lines"
"$build/bench/bench_crosstab_gran" "$gran" "$runs"

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

echo "== velmora-export of the grouped report, median of $runs (wall seconds, peak MB)"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
floor=$(for _ in $(seq "$runs"); do /usr/bin/time -f "%e" mdb-export "$gran" LiniesComanda 2>&1 >/dev/null | tail -1; done | median)
echo "  floor: mdb-export LiniesComanda  ${floor} s"
for format in txt xls xls-data doc pdf; do
  times=(); peaks=()
  for _ in $(seq "$runs"); do
    line=$(/usr/bin/time -f "%e %M" "$build/src/cli/velmora-export" --format "$format" --output "$out/x.$format" \
           "$report" "$gran" 2>&1 >/dev/null | tail -1)
    times+=("${line% *}"); peaks+=("${line#* }")
    rm -f "$out/x.$format"
  done
  t=$(printf '%s\n' "${times[@]}" | median)
  m=$(printf '%s\n' "${peaks[@]}" | median)
  printf '  %-9s %7s s  %5d MB\n' "$format" "$t" "$((m / 1024))"
done

"$here/bench/xlsx-data.sh" "$build" "$gran" "$runs"

echo "== floor for the PDF: Qt alone painting as many pages of 350 texts (one run)"
"$build/src/cli/velmora-export" --format pdf --output "$out/x.pdf" "$report" "$gran" 2>/dev/null
pages=$(pdfinfo "$out/x.pdf" | awk '/^Pages:/ {print $2}')
"$build/bench/bench_writers" --qt-floor "${pages:-18666}"

echo "== a line chart in each of the 5,000 client footers, against the same footers without one"
"$build/bench/bench_chart_gran" "$gran" "$runs"
