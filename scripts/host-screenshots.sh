#!/usr/bin/env bash
# Pictures of gomiat-host on the bundled survey for the README, taken as a
# person takes them: the program on a virtual display (Xvfb), driven with
# xdotool's keys and clicks, the screen saved with ImageMagick's import.
# Writes gomiat-host.png and gomiat-host-navigation.png into
# docs/screenshots/ (or the folder given). Nothing of the user's settings
# or code table is read or written.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
out=${1:-docs/screenshots}
for tool in Xvfb xdotool import sqlite3; do
  command -v $tool >/dev/null || {
    echo "host-screenshots.sh: $tool is missing (xvfb, xdotool, imagemagick," \
         "sqlite3)" >&2
    exit 1
  }
done
cmake --build "$build_dir" --target gomiat-host
mkdir -p "$out"
tmp=$(mktemp -d)
display=:$((100 + $$ % 400))
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
host=
trap 'kill $host $xvfb 2>/dev/null || true; rm -rf "$tmp"' EXIT
export DISPLAY=$display XDG_CONFIG_HOME=$tmp/config QDR2_GOMIAT_HOME=$tmp/home
export QDR2_GOMIAT_UI=qt
mkdir -p "$XDG_CONFIG_HOME/qdr2_gomiat" "$QDR2_GOMIAT_HOME"
# The navigation bar where a user would have dragged it (there is no window
# manager to drag with): bottom right, clear of the point it centres on.
sqlite3 "$XDG_CONFIG_HOME/qdr2_gomiat/settings.sqlite" <<'SQL'
CREATE TABLE settings (app TEXT NOT NULL COLLATE NOCASE,
  section TEXT NOT NULL COLLATE NOCASE, key TEXT NOT NULL COLLATE NOCASE,
  value TEXT NOT NULL, PRIMARY KEY (app, section, key)) WITHOUT ROWID;
INSERT INTO settings VALUES
  ('Landrix', 'Barra ptos aleatorios', 'Pos PtosAlea.Left', '12300'),
  ('Landrix', 'Barra ptos aleatorios', 'Pos PtosAlea.Top', '6600');
SQL
sleep 1
"$build_dir/apps/gomiat-host" examples/road_survey.txt >"$tmp/host.log" 2>&1 &
host=$!

window() { xdotool search --sync --onlyvisible --name "$1" | head -1; }
keys() {  # keys to a window, which takes the focus first
  xdotool windowfocus --sync "$1"
  shift
  for k in "$@"; do xdotool key "$k"; sleep 0.3; done
}
# Clicks at (dx, dy) from a window's bottom right corner.
click_from_corner() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
  xdotool mousemove $((X + WIDTH - $2)) $((Y + HEIGHT - $3)) click 1
}

main=$(window '^road_survey.txt - gomiat-host$')
sleep 1
# Tools > Automatic sketch; the code table accepted as it comes.
keys "$main" alt+t a
table=$(window '^Autocroquis')
sleep 1
click_from_corner "$table" 68 19
sleep 1.5
xdotool mousemove 1200 780  # the pointer out of the picture
import -window root -crop 1100x720+0+0 +repage "$out/gomiat-host.png"

# Tools > Navigation bar, then point 120 typed into its number field: the
# view centres on it and marks it.
keys "$main" alt+t n
bar=$(window '^Modificar puntos')
sleep 1
keys "$bar" ctrl+a 1 2 0
sleep 1
xdotool mousemove 1200 780
import -window root -crop 1100x720+0+0 +repage "$out/gomiat-host-navigation.png"
keys "$bar" Escape
echo "host-screenshots.sh: pictures in $out"
