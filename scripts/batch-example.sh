#!/usr/bin/env bash
# Tracks and tabulates a folder of trials in parallel with GNU parallel: one
# kova-batch process per trial, as many at once as there are cores.
#
# Usage: bash scripts/batch-example.sh TRIALS OUT
#   TRIALS/NAME/ is one trial: its KOVA.CFG, its targets file (*TARGETS*.TXT)
#   and its images, a numbered BMP series or one video (.avi .mp4 .mov .mkv).
#   For each trial OUT/ receives NAME.TRK and NAME.TRI (the measurement),
#   NAME_position.csv (its position / velocity table) and NAME.log (what
#   kova-batch said); OUT/summary.txt has one line per trial, "NAME ok" or
#   "NAME failed: ...".
# KOVA_BATCH names the program (default: kova-batch on the PATH, else this
# checkout's build/cli/kova-batch); JOBS the trials at once (default: cores).
# Exit status: the number of trials that failed, 0 when all went well.
set -uo pipefail

kova=${KOVA_BATCH:-$(command -v kova-batch || echo "$(dirname "$0")/../build/cli/kova-batch")}

# One trial: track it, then tabulate it; prints the trial's summary line.
run_trial() {
  local dir=${1%/} out=$2 name
  name=$(basename "$dir")
  shopt -s nullglob nocaseglob
  local bmps=("$dir"/*.bmp) videos=("$dir"/*.avi "$dir"/*.mp4 "$dir"/*.mov "$dir"/*.mkv)
  local targets=("$dir"/*targets*.txt) images
  if ((${#videos[@]} == 1)); then
    images=(--avi "${videos[0]}")
  elif ((${#bmps[@]} > 0)); then
    images=(--series "${bmps[0]}" "${bmps[-1]}")
  else
    echo "$name failed: no BMP series and no single video in $dir"
    return 1
  fi
  if ((${#targets[@]} != 1)); then
    echo "$name failed: no single *TARGETS*.TXT in $dir"
    return 1
  fi
  if ! "$kova" --cfg "$dir/KOVA.CFG" track "${images[@]}" --out "$out/$name.TRK" \
    --targets "${targets[0]}" >"$out/$name.log" 2>&1; then
    echo "$name failed: track (see $out/$name.log)"
    return 1
  fi
  if ! "$kova" table position "$out/$name.TRK" --csv -o "$out/${name}_position.csv" \
    >>"$out/$name.log" 2>&1; then
    echo "$name failed: table (see $out/$name.log)"
    return 1
  fi
  echo "$name ok"
}

if [[ ${1:-} == --trial ]]; then
  run_trial "$2" "$3"
  exit
fi
if [[ $# -ne 2 || ! -d $1 ]]; then
  echo "usage: bash $0 TRIALS OUT (TRIALS/NAME/ holds one trial each)" >&2
  exit 2
fi
if ! command -v parallel >/dev/null; then
  echo "batch-example: GNU parallel is missing (bash scripts/setup.sh installs it)" >&2
  exit 2
fi
if [[ ! -x $kova ]]; then
  echo "batch-example: no kova-batch at $kova (set KOVA_BATCH)" >&2
  exit 2
fi
kova=$(cd "$(dirname "$kova")" && pwd)/$(basename "$kova")
export KOVA_BATCH=$kova
mkdir -p "$2" || exit 2
trials=("${1%/}"/*/)
if ((${#trials[@]} == 0)) || [[ ! -d ${trials[0]} ]]; then
  echo "batch-example: no trial folders in $1" >&2
  exit 2
fi
# Each trial runs this script again with --trial; the summary lines come
# back in the order of the trials.
parallel --will-cite --keep-order --jobs "${JOBS:-100%}" bash "$0" --trial {} "$2" \
  ::: "${trials[@]}" | tee "$2/summary.txt"
