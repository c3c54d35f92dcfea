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

"$here/bench/speed-table.sh" "$build" "$gran" "$runs"

"$here/bench/scaling.sh" "$build" "$gran" "$runs"

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$here/bench/xlsx-data.sh" "$build" "$gran" "$runs"

echo "== floor for the PDF: Qt alone painting as many pages of 350 texts (one run)"
"$build/src/cli/velmora-export" --format pdf --output "$out/x.pdf" "$report" "$gran" 2>/dev/null
pages=$(pdfinfo "$out/x.pdf" | awk '/^Pages:/ {print $2}')
"$build/bench/bench_writers" --qt-floor "${pages:-18666}"

echo "== a line chart in each client footer of the sales per client, against the same footers without one"
"$build/bench/bench_chart_gran" "$gran" "$runs"
