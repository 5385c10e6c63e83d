#!/usr/bin/env bash
# Rewrites a measurement in place with `kova-batch smooth` and kills the run
# with SIGKILL at a random moment, KILL_RUNS times (default 200). After each
# kill the .TRK and the .TRI must each be byte for byte the old file or the
# new one. Reports the counts and the temporary files the kills left.
# Not part of CI: it takes a few minutes.
# Usage: bash scripts/kill-test.sh [BUILD]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build}
[[ -d $build || $build == /* ]] || build=$root/$build
kova=$(cd "$build" && pwd)/cli/kova-batch
runs=${KILL_RUNS:-200}
[[ -x $kova ]] || { echo "kill-test: no kova-batch in $build" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
"$kova" demo series --frames 5 --size 320x240 >/dev/null
(cd series && "$kova" track --series DEMO0001.BMP DEMO0005.BMP --out DEMO.TRK \
  --targets DEMO_TARGETS.TXT >/dev/null)

# A long measurement, so that a kill can land while it is written: the five
# tracked frames repeated 1024 times (5120 frames, 666 KB).
mkdir run next
head -c 86 series/DEMO.TRK >header
tail -c +87 series/DEMO.TRK >points
for _ in $(seq 10); do cat points points >twice && mv twice points; done
printf '\x00\x14' | dd of=header bs=1 seek=0 conv=notrunc status=none
cat header points >run/M.TRK
cp series/DEMO.TRI run/M.TRI

# How long one rewrite takes, in milliseconds.
start=$(date +%s%N)
"$kova" smooth run/M.TRK >/dev/null 2>&1
span=$((($(date +%s%N) - start) / 1000000 + 1))

declare -A count
mkdir prev
for ((i = 1; i <= runs; i++)); do
  cp run/M.TRK run/M.TRI prev/
  cp prev/M.TRK prev/M.TRI next/
  "$kova" smooth next/M.TRK >/dev/null 2>&1
  "$kova" smooth run/M.TRK >/dev/null 2>&1 &
  pid=$!
  sleep "$(awk -v r=$RANDOM -v s=$span 'BEGIN { printf "%.4f", r / 32768 * s * 1.2 / 1000 }')"
  kill -KILL "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  for part in TRK TRI; do
    if cmp -s "run/M.$part" "prev/M.$part"; then
      outcome=old
    elif cmp -s "run/M.$part" "next/M.$part"; then
      outcome=new
    else
      outcome=torn
      echo "kill-test: run $i left a .$part that is neither the old nor the new file" >&2
      cp "next/M.$part" "run/M.$part"
    fi
    count[$part-$outcome]=$((${count[$part-$outcome]:-0} + 1))
  done
done

left=$(find run -type f ! -name M.TRK ! -name M.TRI | wc -l)
bytes=$(find run -type f ! -name M.TRK ! -name M.TRI -printf '%s\n' | awk '{ s += $1 } END { print s + 0 }')
echo "kill-test: $runs kills within ${span} ms rewrites"
for part in TRK TRI; do
  echo "  .$part: ${count[$part-old]:-0} old, ${count[$part-new]:-0} new, ${count[$part-torn]:-0} torn"
done
echo "  other files left beside the measurement: $left ($bytes bytes)"
[[ ${count[TRK-torn]:-0} -eq 0 && ${count[TRI-torn]:-0} -eq 0 ]]
