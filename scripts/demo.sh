#!/usr/bin/env bash
# Installs what is missing, builds, writes the synthetic demo sequence,
# tracks it and prints the measurement summary and a position table; with a
# display, opens the result in kova.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -UKOVA_SUBDIRS -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)"

batch=./build/cli/kova-batch
demo=build/demo
rm -rf "$demo"
"$batch" demo "$demo" --frames 60
"$batch" --cfg "$demo/KOVA.CFG" track \
  --series "$demo/DEMO0001.BMP" "$demo/DEMO0060.BMP" \
  --out "$demo/DEMO.TRK" --targets "$demo/DEMO_TARGETS.TXT"

echo
"$batch" --cfg "$demo/KOVA.CFG" summary "$demo/DEMO.TRK"
echo
"$batch" --cfg "$demo/KOVA.CFG" table position "$demo/DEMO.TRK" --targets 1,6

kova=build/app/shell/kova
if [[ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" && -x "$kova" ]]; then
  echo "opening $demo/DEMO.TRK in kova"
  (cd "$demo" && nohup "$OLDPWD/$kova" DEMO.TRK >/dev/null 2>&1 &)
fi
