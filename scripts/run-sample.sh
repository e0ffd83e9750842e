#!/usr/bin/env bash
# Fresh Debian 12 as root: installs, builds and runs the automatic sketch on
# the bundled road survey, writing out/road_survey.dxf and .geojson.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
mkdir -p out
# The code table lives beside the component; keep this run's copy in out/.
export QDR2_GOMIAT_HOME="$PWD/out"
"${BUILD_DIR:-build}/apps/gomiat" croquis examples/road_survey.txt \
  -o out/road_survey.dxf --geojson out/road_survey.geojson
