#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running kova need.
# Idempotent: installs only what is missing; quiet on success, loud on failure.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-svg-dev qt6-image-formats-plugins qt6-tools-dev qt6-l10n-tools
  libqt6opengl6-dev
  libopencv-core-dev libopencv-imgproc-dev libopencv-imgcodecs-dev libopencv-videoio-dev
  ffmpeg imagemagick xvfb xauth x11-apps xdotool fonts-wqy-microhei parallel
  clang libclang-rt-14-dev clang-format ccache
  python3-pyatspi at-spi2-core dbus dbus-x11 qt6-translations-l10n
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=""
if [[ $(id -u) -ne 0 ]]; then sudo="sudo"; fi
log=$(mktemp)
trap 'rm -f "$log"' EXIT
echo "setup: installing ${missing[*]}" >&2
if ! { $sudo apt-get update -qq && DEBIAN_FRONTEND=noninteractive \
    $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"; } >"$log" 2>&1; then
  cat "$log" >&2
  echo "setup: FAILED to install the packages above" >&2
  exit 1
fi
