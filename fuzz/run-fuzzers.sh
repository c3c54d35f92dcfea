#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for a while on a scratch
# copy of its corpus. Usage: fuzz/run-fuzzers.sh [seconds per target] [targets...]
# New inputs stay in build-fuzz/corpus-<target>; fold the useful ones back
# with fuzz/merge-corpus.sh. Crash inputs are left in build-fuzz/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-300}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(report_reader formula command_line file_name_rules access_file encryption_header true_type_font)

bash scripts/install-deps.sh --sanitize
CC=clang-14 CXX=clang++-14 cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVELMORA_FUZZ=ON -DVELMORA_BUILD_TESTS=OFF
cmake --build build-fuzz -j "$(nproc)" --target "${targets[@]/#/fuzz_}"

for t in "${targets[@]}"; do
  mkdir -p "build-fuzz/corpus-$t"
  dictionary=()
  [ -f "fuzz/$t.dict" ] && dictionary=(-dict="../fuzz/$t.dict")
  (cd build-fuzz && "./fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 \
     -max_len=16384 -print_final_stats=1 "${dictionary[@]}" "corpus-$t" "../fuzz/corpus/$t")
done
