#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz with clang, AddressSanitizer and
# UBSan, and runs each for SECONDS (default 60), one after the other.
#
# Usage: scripts/fuzz.sh [SECONDS] [HARNESS...]
#   HARNESS: code_table_file_fuzz, grid_file_fuzz, text_conversions_fuzz,
#            sketch_deduction_fuzz (default: all of them)
# Build folder: $BUILD_DIR (default build-fuzz). The growing corpus of each
# harness is kept in $BUILD_DIR/fuzz-corpus/<harness>, seeded from
# tests/fuzz/corpus/<harness without _fuzz>; an input that breaks a property
# is written to $BUILD_DIR/fuzz-artifacts/ and the script exits non-zero.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
build_dir=${BUILD_DIR:-build-fuzz}
harnesses=("$@")
if ((${#harnesses[@]} == 0)); then
  harnesses=(code_table_file_fuzz grid_file_fuzz text_conversions_fuzz
             sketch_deduction_fuzz)
fi

CC=clang CXX=clang++ cmake -S . -B "$build_dir" -G Ninja \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQDR2_GOMIAT_FUZZ=ON \
  -DQDR2_GOMIAT_TESTS=OFF -DQDR2_GOMIAT_BENCH=OFF -DQDR2_GOMIAT_QT=OFF \
  >/dev/null
cmake --build "$build_dir" --target "${harnesses[@]}"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
# The harnesses write their files many thousand times a second: keep them
# in memory when the machine allows.
[[ -d /dev/shm && -w /dev/shm ]] && export TMPDIR=${TMPDIR:-/dev/shm}

artifacts="$build_dir/fuzz-artifacts"
mkdir -p "$artifacts"
failed=()
for h in "${harnesses[@]}"; do
  corpus="$build_dir/fuzz-corpus/$h"
  seeds="tests/fuzz/corpus/${h%_fuzz}"
  mkdir -p "$corpus"
  dirs=("$corpus")
  [[ -d $seeds ]] && dirs+=("$seeds")
  echo "== $h for $seconds s"
  log="$build_dir/fuzz-$h.log"
  if "$build_dir/tests/fuzz/$h" -max_total_time="$seconds" -print_final_stats=1 \
       -artifact_prefix="$artifacts/$h-" "${dirs[@]}" >"$log" 2>&1; then
    grep -E '^stat::(number_of_executed_units|average_exec_per_sec|new_units_added)' "$log" || true
  else
    failed+=("$h")
    grep -E -A20 'property broken|ERROR:|runtime error' "$log" | head -40 || true
    echo "   ($h failed; full log in $log)"
  fi
done
if ((${#failed[@]})); then
  echo "failed: ${failed[*]}"
  exit 1
fi
echo "all ${#harnesses[@]} harnesses ran $seconds s each without a finding"
