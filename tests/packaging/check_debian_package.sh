#!/usr/bin/env bash
# Builds the Debian package from the build tree, unpacks it into a scratch
# root and checks it as a desktop and a script would use it: the programs
# run from where they are installed, the desktop finds its entry, icons,
# metadata, manual pages and completion, and lintian finds no error.
# Usage: check_debian_package.sh BUILD_DIR SOURCE_DIR
set -uo pipefail
build=$(realpath "$1")
source=$(realpath "$2")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

if ! (cd "$build" && cpack -G DEB -B "$scratch/out" >"$scratch/cpack.log" 2>&1); then
  cat "$scratch/cpack.log"
  fail "cpack could not build the package"
  exit 1
fi
deb=$(ls "$scratch"/out/velmora_*.deb)
root="$scratch/root"
dpkg -x "$deb" "$root" || { fail "dpkg -x cannot unpack $deb"; exit 1; }

# Dependencies: computed from the binaries, plus what is opened at run time.
depends=$(dpkg-deb -f "$deb" Depends)
for wanted in libqt6core6 libxlsxwriter fonts-liberation2 qt6-translations-l10n qt6-qpa-plugins; do
  [[ $depends == *"$wanted"* ]] || fail "Depends lacks $wanted: $depends"
done

# The programs run from the unpacked tree, without private libraries.
version=$("$root/usr/bin/velmora-export" --version 2>&1) || fail "velmora-export --version failed: $version"
[[ $version == "velmora-export 2.00" ]] || fail "velmora-export --version said: $version"
missing=$(ldd "$root/usr/bin/velmora-export" "$root/usr/bin/Velmora" "$root/usr/bin/velmora-wizard" | grep "not found")
[[ -z $missing ]] || fail "unresolved libraries: $missing"

# The sample report and its database, exported by the installed program,
# with nothing on standard error.
docs="$root/usr/share/doc/velmora"
errors=$(env -u XDG_RUNTIME_DIR "$root/usr/bin/velmora-export" --format csv --output "$scratch/vendes.csv" \
  "$docs/examples/vendes-per-pais.rpt" "$docs/examples/empresa.mdb" 2>&1 >/dev/null) || fail "sample export failed: $errors"
[[ -z $errors ]] || fail "sample export wrote to standard error: $errors"
[[ $(wc -l <"$scratch/vendes.csv") -eq 6001 ]] || fail "sample CSV has $(wc -l <"$scratch/vendes.csv") lines, not 6001"

# Where the desktop and the shell look.
for entry in velmora velmora-wizard; do
  desktop="$root/usr/share/applications/$entry.desktop"
  [[ -f $desktop ]] || fail "no desktop entry $entry"
  program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
  [[ -x $root/usr/bin/$program ]] || fail "the desktop entry starts $program, which is not in /usr/bin"
  icon=$(sed -n 's/^Icon=//p' "$desktop")
  for file in scalable/apps/$icon.svg 16x16/apps/$icon.png 32x32/apps/$icon.png 48x48/apps/$icon.png; do
    [[ -f $root/usr/share/icons/hicolor/$file ]] || fail "no icon $file"
  done
done
metainfo="$root/usr/share/metainfo/org.velmora.Velmora.metainfo.xml"
grep -q "<launchable type=\"desktop-id\">velmora.desktop</launchable>" "$metainfo" || fail "metainfo missing or not launching velmora.desktop"
appstreamcli validate --no-net "$metainfo" >/dev/null || fail "appstreamcli rejects the metainfo"
for page in Velmora velmora-export velmora-wizard; do
  gzip -t "$root/usr/share/man/man1/$page.1.gz" 2>/dev/null || fail "no compressed manual page $page(1)"
done
for program in velmora-export velmora-wizard; do
  [[ -f $root/usr/share/bash-completion/completions/$program ]] || fail "no bash completion for $program"
done
for file in copyright changelog.gz README.md exports.md velmora-export.md errors.md report-format.xsd \
  examples/vendes-per-pais.rpt examples/empresa.mdb; do
  [[ -f $docs/$file ]] || fail "no $file in /usr/share/doc/velmora"
done

# lintian, where the project's scripts installed it: no errors; the
# warnings left are explained in docs/packaging.md.
if command -v lintian >/dev/null; then
  lintian --tag-display-limit 0 "$deb" >"$scratch/lintian.log" 2>&1
  if grep -q "^E:" "$scratch/lintian.log"; then
    fail "lintian reports errors"
  fi
  cat "$scratch/lintian.log"
else
  echo "lintian is not installed: not run"
fi

[[ $failures -eq 0 ]] && echo "package $(basename "$deb") is sound"
exit $((failures > 0))
