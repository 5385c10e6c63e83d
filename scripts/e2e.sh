#!/usr/bin/env bash
# End-to-end test: drives the built kova, then capvo started from it, under
# Xvfb through the accessibility bus (tests/e2e/kova_e2e.py, capvo_e2e.py) on
# the demo series in a fresh folder. Builds nothing. Ends within about five
# minutes; on failure a screenshot and kova's output are left in the build
# folder.
# Usage: bash scripts/e2e.sh [BUILD_DIR]   (default build)
set -euo pipefail
cd "$(dirname "$0")/.."
top=$PWD
build=$(realpath -m "${1:-build}")
kova=$build/app/shell/kova
batch=$build/cli/kova-batch
for program in "$kova" "$build/app/shell/capvo" "$batch"; do
  if [[ ! -x $program ]]; then
    echo "e2e: $program is missing: build kova and kova-batch first" >&2
    echo "0 passed, 1 failed"
    exit 1
  fi
done
for tool in xvfb-run dbus-run-session /usr/libexec/at-spi-bus-launcher /usr/bin/python3; do
  if ! command -v "$tool" >/dev/null; then
    echo "e2e: $tool is missing (scripts/setup.sh installs it)" >&2
    echo "0 passed, 1 failed"
    exit 1
  fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
folder=$work/demo
mkdir -p "$work/config" "$work/run"
chmod 700 "$work/run"
"$batch" demo "$folder" --frames 60 >/dev/null
# The measurement the test opens, tracked as the demo run tracks it.
"$batch" --cfg "$folder/KOVA.CFG" track --series "$folder/DEMO0001.BMP" "$folder/DEMO0060.BMP" \
  --out "$folder/DEMO.TRK" --targets "$folder/DEMO_TARGETS.TXT" >/dev/null
# The position table the text window must save.
"$batch" table position "$folder/DEMO.TRK" -o "$folder/REF.tr1" >/dev/null
rm -f "$build"/e2e-*.png "$build"/e2e-*-failure.xwd

# A private home for the settings, so the user's own stay untouched.
export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/run HOME=$work
export QT_ACCESSIBILITY=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb
# Qt's own file dialog, not a desktop's native one.
unset QT_QPA_PLATFORMTHEME
export LC_ALL=C.UTF-8
export E2E_KOVA=$kova E2E_FOLDER=$folder E2E_BUILD=$build E2E_SCRIPTS=$top/tests/e2e

status=0
# The bus daemon's "Failed to set fd limit" lines are noise; the inner script
# expands its variables itself.
# shellcheck disable=SC2016
timeout -k 5 300 xvfb-run -a -s "-screen 0 1280x1024x24" dbus-run-session -- bash -c '
  /usr/libexec/at-spi-bus-launcher --launch-immediately &
  launcher=$!
  status=0
  for test in kova capvo; do
    /usr/bin/python3 "$E2E_SCRIPTS/${test}_e2e.py" --kova "$E2E_KOVA" --folder "$E2E_FOLDER" \
      --screenshot "$E2E_BUILD/e2e-$test-failure" --shots "$E2E_BUILD/e2e" \
      --log "$E2E_BUILD/e2e-$test.log" || status=$?
  done
  kill "$launcher" 2>/dev/null || true
  wait 2>/dev/null || true
  exit "$status"
' 2> >(grep -v "Failed to set fd limit" >&2) || status=$?
if ((status == 124 || status == 137)); then
  echo "e2e: timed out" >&2
  echo "0 passed, 1 failed"
fi
exit "$status"
