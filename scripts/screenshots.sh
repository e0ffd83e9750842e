#!/usr/bin/env bash
# Builds gomiat-screenshots and saves a picture of every window of the
# component, filled with the bundled road survey's codes and drawn
# offscreen, at 96 and 144 DPI into docs/screenshots/ (or the folder given).
# No display is needed; nothing of the user's settings is read or written.
# The pictures depend on the fonts installed (Debian 12: fonts-dejavu-core).
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
out=${1:-docs/screenshots}
cmake -S . -B "$build_dir" -G Ninja \
  -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" >/dev/null
targets=$(cmake --build "$build_dir" --target help)
if ! grep -q '^gomiat-screenshots:' <<<"$targets"; then
  echo "screenshots.sh: no gomiat-screenshots target: Qt 6 Widgets was not" \
       "found (see scripts/install-deps.sh)" >&2
  exit 1
fi
cmake --build "$build_dir" --target gomiat-screenshots
mkdir -p "$out"
"$build_dir/apps/gomiat-screenshots" "$out"
