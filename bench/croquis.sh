#!/usr/bin/env bash
# gomiat croquis at scale: the benchmark (the whole program against the
# automatic sketch alone, in the same run), then the program's own time and
# peak memory on the same surveys of 100k and 1M points.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
"$build/bench/gomiat_bench" "$@"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/component"
for n in 100000 1000000; do
  "$build/bench/gomiat_bench" --write-survey "$n" "$tmp/survey.txt"
  QDR2_GOMIAT_HOME="$tmp/component" XDG_CONFIG_HOME="$tmp/config" \
    /usr/bin/time -f "gomiat croquis, $n points to DXF: %e s, %U s user, %S s system, peak %M KB" \
    "$build/apps/gomiat" croquis "$tmp/survey.txt" -o "$tmp/survey.dxf" -q
done
