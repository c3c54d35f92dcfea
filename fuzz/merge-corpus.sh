#!/usr/bin/env bash
# Folds what a fuzz run found back into the kept corpus, keeping only inputs
# that add coverage. Usage: fuzz/merge-corpus.sh <target>
set -euo pipefail
cd "$(dirname "$0")/.."
t=$1
kept="fuzz/corpus/$t"
merged=$(mktemp -d)
"build-fuzz/fuzz/fuzz_$t" -merge=1 -max_len=16384 "$merged" "$kept" "build-fuzz/corpus-$t"
rm -f "$kept"/*
cp "$merged"/* "$kept"/
rm -rf "$merged"
du -sh "$kept"
