#!/usr/bin/env bash
# Feeds the malformed inputs of tests/badinput/cases.txt to kova-batch and
# checks each outcome: the exit status, a message on standard error, every
# input file unchanged, no partial output left, no hang (BADINPUT_TIMEOUT
# seconds a case) and no allocation beyond BADINPUT_MEMORY_MB (not under
# AddressSanitizer, which reserves far more).
# Usage: bash scripts/bad-inputs.sh [BUILD] [CASE-REGEX]
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build}
[[ -d $build || $build == /* ]] || build=$root/$build
kova=$(cd "$build" 2>/dev/null && pwd)/cli/kova-batch
only=${2:-}
table=${BADINPUT_CASES:-$root/tests/badinput/cases.txt}
seconds=${BADINPUT_TIMEOUT:-4}
memory=${BADINPUT_MEMORY_MB:-1024}
if [[ ! -x $kova ]]; then
  echo "bad-inputs: no kova-batch in $build" >&2
  exit 2
fi
if ldd "$kova" 2>/dev/null | grep -q 'libasan\|libclang_rt.asan' || nm "$kova" 2>/dev/null | grep -q __asan_init; then
  memory=0
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Overwrites bytes of FILE at OFFSET with the hex digits HEX.
poke() {
  printf "$(sed 's/../\\x&/g' <<<"$3")" | dd of="$1" bs=1 seek="$2" conv=notrunc status=none
}
# Writes MB megabytes of the line TEXT repeated.
fill() {
  yes "$3" | head -c "$2M" >"$1"
}
export -f poke fill

# The good inputs every case starts from.
base=$work/base
mkdir -p "$base"
if ! (cd "$work" && "$kova" demo series --frames 5 --size 320x240 &&
  "$kova" demo clip --frames 2 --size 320x240 --avi) >/dev/null ||
  ! cp "$work"/series/{DEMO000?.BMP,KOVA.CFG,DEMO_TARGETS.TXT} "$work/clip/DEMO.AVI" "$base/" ||
  ! (cd "$base" && "$kova" track --series DEMO0001.BMP DEMO0005.BMP --out DEMO.TRK \
    --targets DEMO_TARGETS.TXT) >/dev/null; then
  echo "bad-inputs: cannot make the good inputs with $kova" >&2
  exit 2
fi
printf '%s\n' '$IMAGE_BEGIN' '$POSITION,1,1' '$COLORMODE,mono' '$SIZE,3,2' '$DATA_BEGIN' \
  '  1,  2,  3' '  4,  5,  6' '$DATA_END' '$IMAGE_END' >"$base/SMALL.TXT"

snapshot() {
  (cd "$1" && find . -type f -print0 | xargs -0 -r sha256sum) | LC_ALL=C sort -k2
}

# A .TRK is whole when its size is what its two counts say.
whole_trk() {
  local counts
  read -ra counts < <(od -An -td2 -N4 "$1")
  [[ ${#counts[@]} -eq 2 ]] &&
    [[ $(stat -c %s "$1") -eq $((86 + 10 * counts[0] * counts[1])) ]]
}

trim() {
  local s=$1
  s=${s#"${s%%[![:space:]]*}"}
  printf '%s' "${s%"${s##*[![:space:]]}"}"
}

passed=0
failed=0
n=0
while IFS='|' read -r name setup arguments outcome pattern; do
  name=$(trim "$name")
  [[ -z $name || $name == \#* ]] && continue
  [[ -n $only && ! $name =~ $only ]] && continue
  setup=$(trim "$setup")
  outcome=$(trim "$outcome")
  pattern=$(trim "$pattern")
  read -ra args <<<"$arguments"
  n=$((n + 1))
  dir=$work/$n
  cp -r "$base" "$dir"
  problems=()
  (cd "$dir" && bash -c "$setup") || problems+=("the input could not be made")
  snapshot "$dir" >"$work/before"
  # The outer subshell keeps bash's own report of a crash off the output.
  ( (
    cd "$dir" || exit 99
    [[ $memory -gt 0 ]] && ulimit -v $((memory * 1024))
    exec timeout -k 2 "$seconds" "$kova" "${args[@]}"
  ) </dev/null >"$work/out" 2>"$work/err") 2>/dev/null
  status=$?
  snapshot "$dir" >"$work/after"

  if [[ $status -eq 124 || $status -eq 137 ]]; then
    problems+=("no answer within ${seconds}s")
  elif [[ $status -ge 128 ]]; then
    problems+=("killed by signal $((status - 128))")
  elif [[ $outcome == ok && $status -ne 0 ]]; then
    problems+=("exit status $status, expected 0")
  elif [[ ($outcome == fail || $outcome == kept) && $status -eq 0 ]]; then
    problems+=("exit status 0")
  fi
  if [[ -n $pattern ]] && ! grep -Eq -- "$pattern" "$work/err"; then
    problems+=("no message matching /$pattern/")
  fi
  changed=$(LC_ALL=C comm -23 <(sort "$work/before") <(sort "$work/after") | awk '{print $2}')
  [[ -n $changed ]] && problems+=("input changed or gone: ${changed//$'\n'/ }")
  while read -r file; do
    if [[ $outcome == fail ]]; then
      problems+=("output left: $file")
    elif [[ $file == *.tmp ]]; then
      problems+=("temporary file left: $file")
    elif [[ $file == *.TRK ]] && ! whole_trk "$dir/$file"; then
      problems+=("torn measurement left: $file")
    fi
  done < <(LC_ALL=C comm -13 <(awk '{print $2}' "$work/before") <(awk '{print $2}' "$work/after"))

  if [[ ${#problems[@]} -eq 0 ]]; then
    passed=$((passed + 1))
    echo "ok   $name"
  else
    failed=$((failed + 1))
    echo "FAIL $name: $(IFS=';'; echo "${problems[*]}")"
    head -c 300 "$work/err" | sed 's/^/     | /'
  fi
  chmod -R u+rwX "$dir" 2>/dev/null
  rm -rf "$dir"
done <"$table"

echo "$passed passed, $failed failed"
[[ $failed -eq 0 && $n -gt 0 ]]
