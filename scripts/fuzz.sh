#!/usr/bin/env bash
# Builds every libFuzzer target with clang (ASan + UBSan) and runs each for
# FUZZ_SECONDS (default 60) on its seed corpus under fuzz/corpus/NAME.
# Usage: bash scripts/fuzz.sh [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
seconds=${FUZZ_SECONDS:-60}
CXX=clang++ CC=clang cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKOVA_FUZZ=ON -DKOVA_BUILD_TESTS=OFF -DKOVA_BUILD_BENCH=OFF >/dev/null
targets=("$@")
if [[ ${#targets[@]} -eq 0 ]]; then
  mapfile -t targets < <(sed -n 's/^KOVA_FUZZ_TARGETS:INTERNAL=//p' build-fuzz/CMakeCache.txt | tr ';' '\n')
fi
cmake --build build-fuzz --target "${targets[@]}" -j "$(nproc)"
for t in "${targets[@]}"; do
  work=$(mktemp -d)
  [[ -d fuzz/corpus/$t ]] && cp -r "fuzz/corpus/$t/." "$work/"
  echo "fuzz: $t for ${seconds}s"
  (cd "$work" && "$OLDPWD/build-fuzz/fuzz/$t" -max_total_time="$seconds" -rss_limit_mb=2048 \
      -print_final_stats=1 . 2>&1 | grep -E 'stat::number_of_executed_units|ERROR|SUMMARY' || true)
  if ls "$work"/crash-* "$work"/leak-* "$work"/timeout-* >/dev/null 2>&1; then
    echo "fuzz: $t FOUND A FAILURE in $work" >&2
    exit 1
  fi
  rm -rf "$work"
done
