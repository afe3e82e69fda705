#!/usr/bin/env bash
# fuzz.sh [SECONDS [TARGET...]]: builds the libFuzzer targets in build/fuzz with clang-14 and runs
# each (default: all, 20 s each) on seed corpora made afresh from the tests' inline data files,
# a generated file, examples/ and ../shared/data. Fails on any finding; the input that caused it
# is kept in build/fuzz/findings/. KURVON_FUZZ_CORPUS=DIR keeps the corpora there between runs.
# fuzz.sh --seeds-only DIR [TARGET...]: only writes the seed corpora into DIR (no build, no run).
#
# No pipeline here ends in a reader that stops early (head): under pipefail the writer would die
# of SIGPIPE now and then, and the script with it. Cut files, not streams.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seeds_only=""
if [ "${1:-}" = --seeds-only ]; then
  seeds_only=${2:?usage: fuzz.sh --seeds-only DIR [TARGET...]}
  shift 2
  set -- 0 "$@"
fi
seconds=${1:-20}
[ $# -gt 0 ] && shift
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(loader decimal names chart x_axis overlay picture command_line roles cycle_choice)

build=$root/build/fuzz
if [ -n "$seeds_only" ]; then
  corpora=$seeds_only
else
  if ! command -v clang++-14 >/dev/null 2>&1; then
    echo "fuzzing skipped: clang++-14 is not installed (scripts/setup.sh installs it)"
    exit 0
  fi
  cmake -S "$root/fuzz" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null
  cmake --build "$build" --parallel "$(nproc)" $(printf -- '--target fuzz_%s ' "${targets[@]}")
  corpora=${KURVON_FUZZ_CORPUS:-$(mktemp -d)}
  [ -n "${KURVON_FUZZ_CORPUS:-}" ] || trap 'rm -rf "$corpora"' EXIT
fi
# Absolute: the command-line target works in a scratch folder of its own.
corpora=$(mkdir -p "$corpora" && cd "$corpora" && pwd)
files=("$root"/examples/*.kvd)
[ -d "$root/../shared/data" ] && files+=("$root"/../shared/data/*.kvd)

# The data texts written inline in the tests: every string literal holding a CR LF.
test_texts() {
  perl -ne 'while (/"((?:[^"\\]|\\.)*\\r\\n(?:[^"\\]|\\.)*)"/g) {
              my $s = $1; $s =~ s/([\$\@])/\\$1/g; print eval("\"$s\""), "\0"; }' \
    "$root"/tests/data/*.cpp "$root"/tests/app/*.cpp
}

generated_file() {
  awk 'BEGIN { printf "rig 7 generated\r\nt(s) U(V) I(A) T(C)\r\n";
               for (r = 0; r < 300; r++)
                 printf "%d %.4f %.3f %.1f\r\n", r, 3 + sin(r / 20), (r % 50 < 25 ? 1.5 : -1.5), 25 + r / 30 }'
}

# seed DIR NAME BYTES...: one seed file.
seed() { local dir=$1 name=$2; shift 2; printf '%s' "$@" >"$dir/$name"; }

make_seeds() {
  local t=$1 dir=$corpora/$1 i=0 f
  mkdir -p "$dir"
  case $t in
  loader) # two option bytes (chunk size, threads), then the file
    while IFS= read -r -d '' text; do
      printf '\005%b%s' "\\00$((i % 2))" "$text" >"$dir/test$i"; i=$((i + 1))
    done < <(test_texts)
    { printf '\200\000'; generated_file; } >"$dir/generated"
    for f in "${files[@]}"; do { printf '\300\010'; head -c 2000 "$f"; } >"$dir/$(basename "$f")"; done ;;
  decimal)
    for s in 3.5 -0.000 1e39 -1e-50 123456789012345678901234.5 .5 5. '  +7e+2x' 0x1p3 inf nan 1e \
      1e+ -.e1 2.4703282292062328e-324 3.4028235677973366e38 0.1e-45 99999999999999999999e-20; do
      seed "$dir" "s$i" "$s"; i=$((i + 1))
    done
    # The first 20 fields of the first data line; awk stops by itself.
    for f in "${files[@]}"; do
      while IFS= read -r s; do seed "$dir" "$(basename "$f")$i" "$s"; i=$((i + 1)); done < <(
        awk 'NR == 3 { sub(/\r$/, ""); n = split($0, a, /[ \t]/); for (k = 1; k <= n && k <= 20; k++) print a[k]; exit }' "$f")
    done ;;
  names)
    seed "$dir" gbk $'\xb5\xe7\xd1\xb9(V)'; seed "$dir" utf8 $'\xe7\x94\xb5\xe5\x8e\x8b'
    seed "$dir" broken $'\xe7\x94\xed\xa0\x80\xf4\x90\x80\x80\xc0\xaf'
    for f in "${files[@]}"; do head -2 "$f" | tr -d '\r\n' >"$dir/$(basename "$f")"; done ;;
  roles) # names lines of the example, the data files and names rigs write
    printf 'Cyc#\nAmps\n<I>/mA\n\xe7\x94\xb5\xe6\xb5\x81(A)\nEwe/V\nTest (Sec)\ntime/s\n\xe6\x97\xb6\xe9\x97\xb4(h)\ncycle_index\nVoltage\xef\xbc\x88mV\xef\xbc\x89' >"$dir/rigs"
    for f in "${files[@]}"; do sed -n '2{p;q}' "$f" | tr -d '\r' | tr ' \t' '\n\n' >"$dir/$(basename "$f")"; done ;;
  cycle_choice) # two bytes of cycle count, then the text
    i=0
    for s in '1, 10, 100, every 100th' '1-5' '1,last' $'\xe6\xaf\x8f100\xe4\xb8\xaa' '3 ~ 9, 2,' '0' '9-3'; do
      printf '\350\003%s' "$s" >"$dir/c$i"; i=$((i + 1))
    done ;;
  chart | x_axis | overlay | picture) # any bytes will do: they are read as numbers
    generated_file >"$dir/generated"
    truncate -s '<3000' "$dir/generated"
    for f in "${files[@]}"; do head -c 3000 "$f" >"$dir/$(basename "$f")"; done ;;
  command_line) # \001 N picks the N-th known word (see command_line.cpp), NUL ends an argument
    seed "$dir" info $'\001\000\000\001\016'
    seed "$dir" version $'\001\003'
    printf '\001\001\000\001\024\000\001\016\000\001\005\000\001\030\000\001\006\000\001\033\000\001\010\000\001\034' >"$dir/render"
    printf '\001\002\000\001\015\000\001\017\000\001\006\000\001\032' >"$dir/export"
    printf '\001\001\000out.bmp\000\001\016\000--size\000200x100\000\001\011\000\001\035\000\001\013' >"$dir/literal" ;;
  esac
}

max_len() {
  case $1 in
  decimal | names | roles | cycle_choice) echo 512 ;;
  command_line) echo 256 ;;
  *) echo 4096 ;;
  esac
}

# A small quarantine keeps the targets fast: they allocate large buffers on every run.
export ASAN_OPTIONS=quarantine_size_mb=16:detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS=suppressions=$root/scripts/lsan.supp
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
[ -w /dev/shm ] && export TMPDIR=/dev/shm # the targets' scratch files
mkdir -p "$build/findings"
failed=()
if [ -n "$seeds_only" ]; then
  for t in "${targets[@]}"; do make_seeds "$t"; done
  exit 0
fi
for t in "${targets[@]}"; do
  make_seeds "$t"
  echo "-- fuzz_$t for ${seconds}s"
  if ! "$build/fuzz_$t" -max_total_time="$seconds" -max_len="$(max_len "$t")" -timeout=30 \
    -print_final_stats=1 -artifact_prefix="$build/findings/$t-" "$corpora/$t" \
    >"$build/fuzz_$t.log" 2>&1; then
    failed+=("$t")
    grep -E 'ERROR|check failed|SUMMARY|Test unit written' "$build/fuzz_$t.log" || true
  fi
  grep -E '^#[0-9]+[[:space:]]+DONE' "$build/fuzz_$t.log" | tr '\n' ' ' || true # none after a finding
  echo
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzzing found faults in: ${failed[*]} (inputs in $build/findings, logs in $build)" >&2
  exit 1
fi
echo "fuzzing: no findings"
