#!/usr/bin/env bash
# Fresh Debian 12 as root: installs, builds and runs the automatic sketch on
# the bundled road survey, writing out/road_survey.dxf, .geojson and the
# quality report out/road_survey.txt.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
mkdir -p out
# The code table lives beside the component; the run only reads it (the
# defaults here, as out/ holds none) and saves nothing without --save-codes.
export QDR2_GOMIAT_HOME="$PWD/out"
"${BUILD_DIR:-build}/apps/gomiat" croquis examples/road_survey.txt \
  -o out/road_survey.dxf --geojson out/road_survey.geojson \
  --report out/road_survey.txt
