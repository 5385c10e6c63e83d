#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test and the
# bad-input catalogue, drives the real program under Xvfb through the
# accessibility bus, builds and tests the headless parts alone
# (KOVA_BUILD_GUI=OFF), then repeats the whole suite under AddressSanitizer +
# UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
# Qt wants a private runtime directory; CI has none.
XDG_RUNTIME_DIR=$(mktemp -d)
chmod 700 "$XDG_RUNTIME_DIR"
export XDG_RUNTIME_DIR
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT

# The headless build compiles most files as the full one does: the compiler
# cache serves them the second time.
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
fi

# -U: a developer's narrowed folder list must not leak into the full run.
cmake -S . -B build -G Ninja -UKOVA_SUBDIRS -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKOVA_WERROR=ON \
  "${launcher[@]}" >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

# Malformed inputs through every verb: a message, a status, nothing changed.
bash scripts/bad-inputs.sh build
bash scripts/e2e.sh build

cmake -S . -B build-nogui -G Ninja -UKOVA_SUBDIRS -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKOVA_WERROR=ON -DKOVA_BUILD_GUI=OFF -DKOVA_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build build-nogui -j "$jobs"
ctest --test-dir build-nogui --output-on-failure -j "$jobs"

if [[ "${KOVA_SKIP_SANITIZE:-0}" != 1 ]]; then
  cmake -S . -B build-asan -G Ninja -UKOVA_SUBDIRS -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" -DKOVA_SANITIZE=ON -DKOVA_BUILD_BENCH=OFF \
    -DKOVA_WERROR=ON >/dev/null
  cmake --build build-asan -j "$jobs"
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-asan --output-on-failure -j "$jobs"
fi
