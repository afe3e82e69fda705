#!/usr/bin/env bash
# compare.sh: times `kurvon --render` and `kurvon --info` next to other programs that read the
# same .kvd file (kst2, gnuplot, numpy, pandas, wc -l) on generated 2 M and 10 M record files,
# and prints one table of medians per file.
set -euo pipefail
# One number format for time's output, awk and printf.
export LC_ALL=C

usage() {
  cat <<'EOF'
Usage: bench/compare.sh [--build DIR] [--cache DIR] [--runs N] [--quick] [--only-small]
                        [--timeout S] [--no-install]

  --build DIR    Release build tree with kurvon and kvdgen (default build/release, relative
                 to the repository; env KURVON_BENCH_BUILD). Built when missing.
  --cache DIR    where the generated files are kept (default
                 ${XDG_CACHE_HOME:-$HOME/.cache}/kurvon-bench; env KURVON_BENCH_CACHE)
  --runs N       timed runs of each tool per file, in round-robin order (default 3)
  --quick        same as --runs 1
  --only-small   only the 2 000 000 record file
  --timeout S    a run taking longer is stopped and reported as timeout (default 300;
                 env KURVON_BENCH_TIMEOUT)
  --no-install   do not install missing programs; tools that are missing are skipped
EOF
}

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${KURVON_BENCH_BUILD:-build/release}
cache=${KURVON_BENCH_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/kurvon-bench}
limit=${KURVON_BENCH_TIMEOUT:-300}
runs=3
install=1
only_small=0

while [ $# -gt 0 ]; do
  case "$1" in
    --build) build=${2:?--build needs a directory}; shift 2 ;;
    --build=*) build=${1#*=}; shift ;;
    --cache) cache=${2:?--cache needs a directory}; shift 2 ;;
    --cache=*) cache=${1#*=}; shift ;;
    --runs) runs=${2:?--runs needs a number}; shift 2 ;;
    --runs=*) runs=${1#*=}; shift ;;
    --quick) runs=1; shift ;;
    --only-small) only_small=1; shift ;;
    --timeout) limit=${2:?--timeout needs seconds}; shift 2 ;;
    --timeout=*) limit=${1#*=}; shift ;;
    --no-install) install=0; shift ;;
    -h | --help) usage; exit 0 ;;
    *) echo "compare.sh: unknown argument '$1'" >&2; usage >&2; exit 2 ;;
  esac
done
case "$runs" in '' | *[!0-9]* | 0) echo "compare.sh: --runs needs a positive number" >&2; exit 2 ;; esac
case "$limit" in '' | *[!0-9]* | 0) echo "compare.sh: --timeout needs a positive number" >&2; exit 2 ;; esac

case "$build" in
  /*) build_dir=$build ;;
  *) build_dir=$root/$build ;;
esac
kurvon=$build_dir/src/app/kurvon
kvdgen=$build_dir/tools/kvdgen

tmp=$(mktemp -d "${TMPDIR:-/tmp}/kurvon-bench.XXXXXX")
trap 'rm -rf -- "$tmp"' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

note() { printf '%s\n' "$*" >&2; }

# --- installing -------------------------------------------------------------------------------

is_root=0
[ "$(id -u)" -eq 0 ] && is_root=1
apt_updated=0

# apt_install PKG...: installs Debian packages when allowed; returns non-zero when it could not.
apt_install() {
  if [ "$install" -eq 0 ]; then
    note "  not installing $* (--no-install)"
    return 1
  fi
  if [ "$is_root" -eq 0 ]; then
    note "  not installing $* (not root)"
    return 1
  fi
  if [ "$apt_updated" -eq 0 ]; then
    DEBIAN_FRONTEND=noninteractive apt-get update -qq >"$tmp/apt.log" 2>&1 || true
    apt_updated=1
  fi
  note "  installing $* ..."
  if ! DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$@" >>"$tmp/apt.log" 2>&1; then
    note "  apt-get install $* failed:"
    tail -n 5 "$tmp/apt.log" >&2
    return 1
  fi
}

if [ ! -x /usr/bin/time ]; then
  apt_install time || true
  if [ ! -x /usr/bin/time ]; then
    note "compare.sh: /usr/bin/time (Debian package 'time') is needed"
    exit 1
  fi
fi

# --- kurvon and kvdgen ------------------------------------------------------------------------

if [ ! -x "$kurvon" ] || [ ! -x "$kvdgen" ]; then
  echo "Building kurvon and kvdgen in $build_dir ..."
  if [ "$install" -eq 1 ]; then
    "$root/scripts/setup.sh"
  fi
  # build.sh takes a directory relative to the repository; only the two programs are needed,
  # so a broken test or bench target does not stop the comparison.
  rel=$(realpath -m --relative-to="$root" "$build_dir")
  KURVON_TARGETS="kurvon kvdgen" "$root/scripts/build.sh" "$rel"
fi

# Qt programs run without a display; kst2 keeps its settings in a fresh place so earlier
# sessions cannot change how it reads the file.
export QT_QPA_PLATFORM=offscreen
export XDG_CONFIG_HOME="$tmp/config"
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  export XDG_RUNTIME_DIR="$tmp/runtime"
  mkdir -m 700 "$XDG_RUNTIME_DIR"
fi

# kvdgen adds K channels to a fixed base set: count the base to reach 12.
channels=12
"$kvdgen" --records 10 --extra-channels 0 --seed 1 --out "$tmp/probe.kvd"
base=$(awk 'NR == 2 { print NF; exit }' "$tmp/probe.kvd")
extra=$((channels - base))

# --render picks the format from its own writer, whatever the name says: use .png only when it
# really writes PNG.
ext=bmp
if "$kurvon" --render "$tmp/probe.png" "$tmp/probe.kvd" --channels 1,2 --size 100x60 \
  >/dev/null 2>&1 && [ "$(head -c 4 "$tmp/probe.png" | od -An -tx1 | tr -d ' \n')" = 89504e47 ]; then
  ext=png
fi

# --- peers ------------------------------------------------------------------------------------

tools=(render info kst gnuplot numpy pandas wc)
declare -A label=(
  [render]="kurvon --render" [info]="kurvon --info" [kst]="kst2" [gnuplot]="gnuplot"
  [numpy]="numpy loadtxt" [pandas]="pandas read_csv" [wc]="wc -l"
)
declare -A missing=()
declare -A python=()

echo "Checking the other programs ..."
command -v kst2 >/dev/null 2>&1 || apt_install kst || true
command -v kst2 >/dev/null 2>&1 || missing[kst]=1
command -v gnuplot >/dev/null 2>&1 || apt_install gnuplot-nox || true
command -v gnuplot >/dev/null 2>&1 || missing[gnuplot]=1
command -v wc >/dev/null 2>&1 || missing[wc]=1

# find_python MODULE: the first python3 that imports MODULE (pyenv's often lacks Debian's).
find_python() {
  local p
  for p in "$(command -v python3 || true)" /usr/bin/python3; do
    if [ -n "$p" ] && [ -x "$p" ] && "$p" -c "import $1" >/dev/null 2>&1; then
      printf '%s\n' "$p"
      return 0
    fi
  done
  return 1
}
for m in numpy pandas; do
  if ! python[$m]=$(find_python "$m"); then
    apt_install "python3-$m" || true
    python[$m]=$(find_python "$m") || missing[$m]=1
  fi
done

cat >"$tmp/plot.gp" <<'EOF'
set terminal pngcairo size 1000,600
set output ARG2
plot ARG1 skip 2 using 0:2 with lines title 'channel 2', \
     ''   skip 2 using 0:3 with lines title 'channel 3'
EOF

# tool_cmd TOOL FILE OUT: sets cmd to the command line of TOOL.
tool_cmd() {
  local file=$2 out=$3
  case "$1" in
    render) cmd=("$kurvon" --render "$out" "$file" --channels "1,2" --size 1000x600) ;;
    info) cmd=("$kurvon" --info "$file") ;;
    # -f 2: the data starts at the third line (frames count from 0).
    kst) cmd=(kst2 "$file" -f 2 -y 2 -y 3 --png "$out") ;;
    gnuplot) cmd=(gnuplot -c "$tmp/plot.gp" "$file" "$out") ;;
    # The names line is GBK; the OpenBLAS tuning variables of this machine are not for these.
    numpy)
      cmd=(env -u OPENBLAS_CORETYPE -u OPENBLAS_L2_SIZE "${python[numpy]}" -c
        'import sys, numpy
a = numpy.loadtxt(sys.argv[1], skiprows=2, encoding="gbk")
print(*a.shape)' "$file")
      ;;
    pandas)
      cmd=(env -u OPENBLAS_CORETYPE -u OPENBLAS_L2_SIZE "${python[pandas]}" -c
        'import sys, pandas
a = pandas.read_csv(sys.argv[1], sep=r"\s+", skiprows=2, header=None, encoding="gbk")
print(*a.shape)' "$file")
      ;;
    wc) cmd=(wc -l "$file") ;;
  esac
}

# output_ok TOOL OUT RECORDS: whether the run produced what it should.
output_ok() {
  case "$1" in
    render | kst | gnuplot) [ -s "$2" ] ;;
    info) grep -qx "records: $3" "$tmp/stdout" ;;
    numpy | pandas) [ "$(cat "$tmp/stdout")" = "$3 $channels" ] ;;
    wc) [ "$(awk '{ print $1 }' "$tmp/stdout")" = "$(($3 + 2))" ] ;;
  esac
}

# --- data -------------------------------------------------------------------------------------

mkdir -p "$cache"
sizes=(2000000)
[ "$only_small" -eq 1 ] || sizes+=(10000000)
files=()
for n in "${sizes[@]}"; do
  f=$cache/r$n-c$channels-s1.kvd
  if [ ! -s "$f" ]; then
    echo "Generating $f ..."
    # Written aside first so an interrupted run leaves no half file in the cache.
    "$kvdgen" --records "$n" --extra-channels "$extra" --seed 1 --out "$f.part"
    mv -f -- "$f.part" "$f"
  fi
  got=$(awk 'NR == 2 { print NF; exit }' "$f")
  if [ "$got" != "$channels" ]; then
    note "compare.sh: $f has $got channels, not $channels; delete it to regenerate"
    exit 1
  fi
  files+=("$f")
done
echo
for f in "${files[@]}"; do
  stat -c '%s %n' -- "$f" | awk '{ s = $1; $1 = ""; printf "%s: %d bytes (%.1f MiB)\n", substr($0, 2), s, s / 1048576 }'
done

# --- runs -------------------------------------------------------------------------------------

median() { sort -g | awk '{ a[NR] = $1 } END { if (NR % 2) print a[(NR + 1) / 2]; else print (a[NR / 2] + a[NR / 2 + 1]) / 2 }'; }

declare -A status=()
declare -A timed_out=()
mkdir -p "$tmp/res"

echo
version=$("$kurvon" --version 2>/dev/null || echo kurvon)
echo "$(nproc) cores, $version, $runs run(s) per tool, timeout ${limit} s, kurvon writes .$ext"
for i in "${!files[@]}"; do
  f=${files[$i]}
  n=${sizes[$i]}
  echo
  echo "== $n records x $channels channels: $(basename -- "$f")"
  cat -- "$f" >/dev/null
  for t in "${tools[@]}"; do
    key=$i.$t
    : >"$tmp/res/$key"
    if [ -n "${missing[$t]:-}" ]; then
      status[$key]="not installed"
    elif [ -n "${timed_out[$t]:-}" ]; then
      status[$key]="timeout (smaller file)"
    else
      status[$key]=ok
    fi
  done
  for ((r = 1; r <= runs; r++)); do
    for t in "${tools[@]}"; do
      key=$i.$t
      [ "${status[$key]}" = ok ] || continue
      case "$t" in
        render) out=$tmp/out.$ext ;;
        kst | gnuplot) out=$tmp/out.png ;;
        *) out= ;;
      esac
      tool_cmd "$t" "$f" "$out"
      rm -f -- "$tmp/time" "$tmp/out."*
      rc=0
      /usr/bin/time -f '%e %U %S %M' -o "$tmp/time" timeout -k 10 "$limit" "${cmd[@]}" \
        </dev/null >"$tmp/stdout" 2>"$tmp/stderr" || rc=$?
      if [ "$rc" -eq 124 ] || [ "$rc" -eq 137 ]; then
        status[$key]=timeout
        timed_out[$t]=1
        printf '  run %d/%d  %-16s timeout after %s s\n' "$r" "$runs" "${label[$t]}" "$limit"
      elif [ "$rc" -ne 0 ] || ! output_ok "$t" "$out" "$n"; then
        if [ "$rc" -ne 0 ]; then status[$key]="failed (exit $rc)"; else status[$key]="failed (bad output)"; fi
        printf '  run %d/%d  %-16s %s\n' "$r" "$runs" "${label[$t]}" "${status[$key]}"
        tail -n 3 "$tmp/stderr" | sed 's/^/      /'
      else
        tail -n 1 "$tmp/time" >>"$tmp/res/$key"
        printf '  run %d/%d  %-16s %s s\n' "$r" "$runs" "${label[$t]}" "$(tail -n 1 "$tmp/time" | cut -d' ' -f1)"
      fi
    done
  done
done

# --- tables -----------------------------------------------------------------------------------

# ratio TOOL BASE: TOOL's median wall time over BASE's.
ratio() {
  if [ -n "${wall[$2]:-}" ]; then
    awk -v a="${wall[$1]}" -v b="${wall[$2]}" 'BEGIN { if (b <= 0) print "-"; else printf(a >= b ? "%.1f" : "%.2f", a / b) }'
  else
    echo -
  fi
}
row() { printf '| %-16s | %7s | %10s | %7s | %7s | %8s | %9s | %9s |\n' "$@"; }

declare -A wall=()
for i in "${!files[@]}"; do
  f=${files[$i]}
  echo
  echo "### ${sizes[$i]} records x $channels channels, $(stat -c %s -- "$f" | awk '{ printf "%.0f MiB", $1 / 1048576 }'), median of $runs"
  echo
  row tool "wall s" "user+sys s" "user s" "sys s" "RSS MiB" "x render" "x info"
  row "----------------" "------:" "---------:" "------:" "------:" "-------:" "--------:" "--------:"
  wall=()
  for t in "${tools[@]}"; do
    key=$i.$t
    [ "${status[$key]}" = ok ] && wall[$t]=$(awk '{ print $1 }' "$tmp/res/$key" | median)
  done
  for t in "${tools[@]}"; do
    key=$i.$t
    if [ "${status[$key]}" != ok ]; then
      row "${label[$t]}" "${status[$key]}" - - - - - -
      continue
    fi
    res=$tmp/res/$key
    cpu=$(awk '{ print $2 + $3 }' "$res" | median)
    user=$(awk '{ print $2 }' "$res" | median)
    sys=$(awk '{ print $3 }' "$res" | median)
    rss=$(awk '{ print $4 / 1024 }' "$res" | median)
    row "${label[$t]}" "$(printf '%.2f' "${wall[$t]}")" "$(printf '%.2f' "$cpu")" \
      "$(printf '%.2f' "$user")" "$(printf '%.2f' "$sys")" "$(printf '%.0f' "$rss")" \
      "$(ratio "$t" render)" "$(ratio "$t" info)"
  done
done
echo
echo "kst2 draws its own 1280x960 PNG (no size option); the others draw 1000x600. numpy and pandas"
echo "only read the file into memory; wc -l only counts lines."
