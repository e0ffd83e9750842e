#!/usr/bin/env bash
# gomiat croquis at scale: the benchmark (the whole program against the
# automatic sketch alone, in the same run), then the program's own time and
# peak memory on the same surveys of 100k and 1M points, three runs each.
# The load average before and after says how busy the machine was.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
# Figures of an unoptimised build say nothing about the program.
type=$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$build/CMakeCache.txt" 2>/dev/null)
case "$type" in
  Release | RelWithDebInfo | MinSizeRel) ;;
  *)
    echo "bench/croquis.sh: $build is a '${type:-no type}' build; build an" \
      "optimised one (bash scripts/build.sh makes RelWithDebInfo)" >&2
    exit 1
    ;;
esac
echo "build type $type; load average $(cut -d' ' -f1-3 /proc/loadavg)"
"$build/bench/gomiat_bench" "$@"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/component"
for n in 100000 1000000; do
  "$build/bench/gomiat_bench" --write-survey "$n" "$tmp/survey.txt"
  for run in 1 2 3; do
    rm -f "$tmp/survey.dxf"
    QDR2_GOMIAT_HOME="$tmp/component" XDG_CONFIG_HOME="$tmp/config" \
      /usr/bin/time -f "gomiat croquis, $n points to DXF: %e s, %U s user, %S s system, peak %M KB" \
      "$build/apps/gomiat" croquis "$tmp/survey.txt" -o "$tmp/survey.dxf" -q
  done
done
echo "load average $(cut -d' ' -f1-3 /proc/loadavg)"
