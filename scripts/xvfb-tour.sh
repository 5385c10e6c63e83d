#!/usr/bin/env bash
# Runs kova for real under Xvfb on the demo sequence: start screen, choosing
# the sequence through the file dialog, the calibration dialog with its axes,
# zoom 50%, 200% and 100%, the help window, and Ctrl+Q. Screenshots go to
# the folder given (default build/tour). Needs a build (scripts/demo.sh).
# Usage: xvfb-run -a -s "-screen 0 1280x1024x24" bash scripts/xvfb-tour.sh [DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
top=$PWD
out=$(realpath -m "${1:-build/tour}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out" "$work/cfg" "$work/run"
chmod 700 "$work/run"
rm -f "$out"/*.png

"$top/build/cli/kova-batch" demo "$work/seq" --frames 10 >/dev/null
printf 'VersionInformation KOVA_VER1.00\r\nCalibration2DOriginX 200\r\nCalibration2DOriginY 300\r\nCalibration2DAngle 0.35\r\nCalibration2DDirectY -1\r\n' \
  >"$work/KOVA.CFG"
# The file dialog starts in the images directory of the frame store settings.
settings="$work/cfg/Local AppWizard-Generated Applications"
mkdir -p "$settings"
printf '[FrameStore]\nImageDirectory=%s\n' "$work/seq" >"$settings/KOVA.ini"
cd "$work"
export XDG_CONFIG_HOME=$work/cfg XDG_RUNTIME_DIR=$work/run
"$top/build/app/shell/kova" 2>"$out/kova-stderr.log" &
pid=$!
sleep 4
wid=$(xdotool search --name '^KOVA$' | head -1)
shot() { import -window root "$out/$1.png"; }
focus() { xdotool windowfocus "$wid"; sleep 0.4; }
focus
shot 01-start
xdotool key alt+i; sleep 0.5; xdotool key o; sleep 2
shot 02-dialog
xdotool type --delay 30 '"DEMO0001.BMP" "DEMO0010.BMP"'; sleep 0.5; xdotool key Return; sleep 2
shot 03-loaded
focus; xdotool key alt+i; sleep 0.5; xdotool key 2; sleep 2
shot 04-calibration
# The zoom submenu is the fourth entry of the image menu.
zoom() {
  focus; xdotool key alt+i; sleep 0.4; xdotool key Down Down Down Right; sleep 0.4
  for ((i = 0; i < $1; i++)); do xdotool key Down; sleep 0.1; done
  xdotool key Return; sleep 1.5
}
zoom 0; shot 05-zoom50
zoom 2; shot 06-zoom200
zoom 1; shot 07-zoom100
focus; xdotool key alt+h; sleep 0.4; xdotool key u; sleep 2
shot 08-help
focus; xdotool key ctrl+q; sleep 2
status=0
wait "$pid" || status=$?
echo "kova exit status $status; screenshots in $out"
exit "$status"
