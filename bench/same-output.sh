#!/usr/bin/env bash
# Proves that a change to how pages are made leaves the exports of the grouped
# report over the large database as they were: every text with its position
# and the page count of the PDF (pdftotext -bbox), every cell of both Excel
# exports (xlrd), the text export and the Word export byte for byte (the PDF
# and the Word export without their creation time). With --record, writes
# the fingerprints of BUILD_DIR's exports to FINGERPRINTS; without, compares
# against them.
#
#   bench/same-output.sh BUILD_DIR GRAN_MDB FINGERPRINTS [--record]
set -uo pipefail
build=$1
gran=$2
prints=$3
mode=${4:-compare}
here=$(cd "$(dirname "$0")/.." && pwd)
report=$here/examples/vendes-per-pais.rpt
export QT_QPA_PLATFORM=offscreen

if [ ! -f "$gran" ]; then
  echo "== $gran is absent: the exports are not compared."
  exit 0
fi

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

xls_cells() {
  /usr/bin/python3 - "$1" <<'EOF'
import hashlib, sys, xlrd
book = xlrd.open_workbook(sys.argv[1])
digest = hashlib.sha256()
for sheet in book.sheets():
    digest.update(f"sheet {sheet.name} {sheet.nrows} {sheet.ncols}\n".encode())
    for r in range(sheet.nrows):
        digest.update(repr(sheet.row_values(r)).encode())
print(digest.hexdigest())
EOF
}

fingerprint() { # format file
  case $1 in
    pdf) echo "pages=$(pdfinfo "$2" | awk '/^Pages:/ {print $2}') $(pdftotext -bbox "$2" - | grep -v '^<meta name="CreationDate"' | sha256sum | cut -c1-64)" ;;
    xls | xls-data) xls_cells "$2" ;;
    doc) sed 's/{\\creatim[^}]*}//g' "$2" | sha256sum | cut -c1-64 ;;
    *) sha256sum <"$2" | cut -c1-64 ;;
  esac
}

current=$out/fingerprints
for format in pdf txt xls xls-data doc; do
  file=$out/x.$format
  [ "$format" = xls-data ] && file=$out/data.xls
  if ! "$build/src/cli/velmora-export" --format "$format" --output "$file" "$report" "$gran" >/dev/null 2>&1; then
    echo "$format export-failed" >>"$current"
    continue
  fi
  echo "$format $(fingerprint "$format" "$file")" >>"$current"
  rm -f "$file"
done

if [ "$mode" = --record ]; then
  cp "$current" "$prints"
  echo "== fingerprints of the gran report's exports recorded in $prints"
  cat "$prints"
  exit 0
fi

echo "== the gran report's exports against the fingerprints in $prints"
status=0
while read -r format rest; do
  want=$(awk -v f="$format" '$1 == f { $1 = ""; sub(/^ /, ""); print }' "$prints")
  if [ "$rest" = "$want" ]; then
    printf '  %-9s the same\n' "$format"
  else
    printf '  %-9s DIFFERENT (%s, was %s)\n' "$format" "$rest" "$want"
    status=1
  fi
done <"$current"
exit $status
