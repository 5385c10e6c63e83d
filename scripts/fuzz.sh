#!/usr/bin/env bash
# Builds every libFuzzer target with clang (ASan + UBSan) and runs each for
# FUZZ_SECONDS (default 60) on its seed corpus under fuzz/corpus/NAME, in
# FUZZ_BUILD (default build-fuzz). No input of a few KB justifies one
# allocation of 512 MB: a larger one is a finding.
# Usage: bash scripts/fuzz.sh [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
seconds=${FUZZ_SECONDS:-60}
build=${FUZZ_BUILD:-build-fuzz}
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
fi
CXX=clang++ CC=clang cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKOVA_FUZZ=ON -DKOVA_BUILD_TESTS=OFF -DKOVA_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
targets=("$@")
if [[ ${#targets[@]} -eq 0 ]]; then
  mapfile -t targets < <(sed -n 's/^KOVA_FUZZ_TARGETS:INTERNAL=//p' "$build/CMakeCache.txt" | tr ';' '\n')
fi
cmake --build "$build" --target "${targets[@]}" -j "$(nproc)"
failed=0
for t in "${targets[@]}"; do
  work=$(mktemp -d)
  if [[ -d fuzz/corpus/$t ]]; then
    cp -r "fuzz/corpus/$t/." "$work/"
  else
    echo "fuzz: $t has no seed corpus in fuzz/corpus/$t" >&2
  fi
  echo "fuzz: $t for ${seconds}s"
  (cd "$work" && "$OLDPWD/$build/fuzz/$t" -max_total_time="$seconds" -rss_limit_mb=2048 \
      -malloc_limit_mb=512 -print_final_stats=1 . 2>&1 |
      grep -E 'stat::number_of_executed_units|stat::average_exec_per_sec|ERROR|SUMMARY|^Done' || true)
  if ls "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$work"/oom-* >/dev/null 2>&1; then
    echo "fuzz: $t FOUND A FAILURE in $work" >&2
    failed=1
    continue
  fi
  rm -rf "$work"
done
exit "$failed"
