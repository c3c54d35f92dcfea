#!/usr/bin/env bash
# Does the grouped report's cost grow in proportion to the lines it prints?
# The same report over the large database three times in one run, each with a
# record selection on the order's year: no year (nothing kept: what reading
# and selecting cost alone), one year (about a seventh of the lines) and every
# year. What the kept lines add, in time and in peak memory, should grow as
# their number does: the whole against one year within 20 % of the ratio of
# their lines. PDF export, medians of RUNS runs.
#
#   bench/scaling.sh BUILD_DIR GRAN_MDB [RUNS]
set -uo pipefail
build=$1
gran=$2
runs=${3:-3}
here=$(cd "$(dirname "$0")/.." && pwd)
report=$here/examples/vendes-per-pais.rpt
export QT_QPA_PLATFORM=offscreen

if [ ! -f "$gran" ]; then
  echo "== $gran is absent: the scaling check is not run."
  exit 0
fi

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

# The report with a record selection put before its sorts.
selected() {
  local selection=${1//&/\\&} # an & of the XML stands for itself, not for what sed matched
  sed "s|  <sorts>|  <recordSelection>$selection</recordSelection>\n  <sorts>|" "$report" >"$out/$2.rpt"
}
selected 'Year({Comandes.DataComanda}) = 1900' none
selected 'Year({Comandes.DataComanda}) = 2022' year
selected 'Year({Comandes.DataComanda}) &gt;= 1900' all

measure() { # name -> "wall peakKB pages"
  local walls=() peaks=() line
  for _ in $(seq "$runs"); do
    rm -f "$out/$1.pdf"
    line=$(/usr/bin/time -f "%e %M" "$build/src/cli/velmora-export" --format pdf --output "$out/$1.pdf" \
           "$out/$1.rpt" "$gran" 2>&1 >/dev/null | tail -1)
    walls+=("${line% *}"); peaks+=("${line#* }")
  done
  local pages
  pages=$(pdfinfo "$out/$1.pdf" 2>/dev/null | awk '/^Pages:/ {print $2}')
  echo "$(printf '%s\n' "${walls[@]}" | median) $(printf '%s\n' "${peaks[@]}" | median) ${pages:-0}"
}

read -r t0 m0 p0 <<<"$(measure none)"
read -r t1 m1 p1 <<<"$(measure year)"
read -r t7 m7 p7 <<<"$(measure all)"
if [ "$p0" = 0 ] || [ "$p1" = 0 ] || [ "$p7" = 0 ]; then
  echo "== scaling: an export made no PDF (nothing: $p0, one year: $p1, every year: $p7 pages)"
  exit 1
fi
# Lines per year, counted independently of the engine.
mdb-export "$gran" Comandes | awk -F, 'NR > 1 && $4 ~ /^"[0-9][0-9]\/[0-9][0-9]\/22 / {print $1}' | sort >"$out/orders"
lines_year=$(mdb-export "$gran" LiniesComanda | awk -F, 'NR > 1 {print $2}' | sort | join - "$out/orders" | wc -l)
lines_all=$(( $(mdb-export "$gran" LiniesComanda | wc -l) - 1 ))

echo "== scaling: the grouped report to PDF, nothing / one year / every year kept, medians of $runs runs"
printf '  %-12s %9s %7s s %6d MB %6s pages\n' "nothing" "0" "$t0" "$((m0 / 1024))" "$p0"
printf '  %-12s %9d %7s s %6d MB %6s pages\n' "2022" "$lines_year" "$t1" "$((m1 / 1024))" "$p1"
printf '  %-12s %9d %7s s %6d MB %6s pages\n' "every year" "$lines_all" "$t7" "$((m7 / 1024))" "$p7"
awk -v t0="$t0" -v t1="$t1" -v t7="$t7" -v m0="$m0" -v m1="$m1" -v m7="$m7" -v ly="$lines_year" -v la="$lines_all" '
  function verdict(r, want) { return (r >= want * 0.8 && r <= want * 1.2) ? "in proportion" : "out of proportion" }
  BEGIN {
    want = la / ly
    rt = (t1 > t0) ? (t7 - t0) / (t1 - t0) : 0
    rm = (m1 > m0) ? (m7 - m0) / (m1 - m0) : 0
    printf "  lines, every year / 2022:                 %.2f\n", want
    printf "  time beyond reading, every year / 2022:   %.2f  %s\n", rt, verdict(rt, want)
    printf "  memory beyond reading, every year / 2022: %.2f  %s\n", rm, verdict(rm, want)
  }'
