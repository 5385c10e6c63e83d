#!/usr/bin/env bash
# Runs scripts/batch-example.sh on three demo trials (two BMP series, one
# AVI) and a broken one: each good trial's outputs must equal those of
# kova-batch run on it alone, the broken one must be named, and the exit
# status must count it.
# Usage: bash tests/cli/batch-example-test.sh KOVA_BATCH BATCH_EXAMPLE_SH
set -uo pipefail
kova=$1
example=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "batch-example-test: $*" >&2
  exit 1
}

"$kova" demo "$work/trials/walk1" --frames 10 >/dev/null &&
  "$kova" demo "$work/trials/walk2" --frames 14 --size 400x300 >/dev/null &&
  "$kova" demo "$work/trials/walk3" --frames 8 --avi >/dev/null || fail "cannot make the trials"
mkdir -p "$work/trials/empty"

KOVA_BATCH=$kova JOBS=3 bash "$example" "$work/trials" "$work/out" >"$work/said" 2>&1
status=$?
[[ $status -eq 1 ]] || fail "exit status $status, not 1 (one broken trial): $(cat "$work/said")"
expected=$'empty failed: no BMP series and no single video in '"$work/trials/empty"$'\nwalk1 ok\nwalk2 ok\nwalk3 ok'
[[ $(cat "$work/out/summary.txt") == "$expected" ]] ||
  fail "summary is: $(cat "$work/out/summary.txt")"

# The same trials one by one, by hand.
mkdir -p "$work/alone"
for trial in walk1 walk2 walk3; do
  dir=$work/trials/$trial
  if [[ -f $dir/DEMO.AVI ]]; then
    images=(--avi "$dir/DEMO.AVI")
  else
    bmps=("$dir"/DEMO*.BMP)
    images=(--series "${bmps[0]}" "${bmps[-1]}")
  fi
  "$kova" --cfg "$dir/KOVA.CFG" track "${images[@]}" --out "$work/alone/$trial.TRK" \
    --targets "$dir/DEMO_TARGETS.TXT" >/dev/null &&
    "$kova" table position "$work/alone/$trial.TRK" --csv -o "$work/alone/$trial.csv" ||
    fail "$trial cannot be tracked alone"
  cmp -s "$work/alone/$trial.TRK" "$work/out/$trial.TRK" || fail "$trial.TRK differs"
  cmp -s "$work/alone/$trial.csv" "$work/out/${trial}_position.csv" || fail "$trial CSV differs"
  [[ -f $work/out/$trial.TRI ]] || fail "$trial.TRI is missing"
done
echo "batch-example-test: 3 trials tracked and tabulated in parallel, the broken one named"
