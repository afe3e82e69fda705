#!/usr/bin/env bash
# Checks of the project's own shell scripts, run by the test command:
# 1. no script that sets pipefail pipes into a reader that may stop early (head, grep -q): the
#    writer dies of SIGPIPE when the reader stops first, which pipefail turns into a failure now
#    and then;
# 2. fuzz.sh's seed making, which once failed that way about one run in ten, run 200 times
#    (two loops on two cores): any non-zero status fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bad=$(grep -l pipefail scripts/*.sh bench/*.sh tools/*.sh .ci/run 2>/dev/null |
  xargs -r grep -nE '(^|[^|])\|[[:space:]]*(head\b|grep -[a-zA-Z]*q)' || true)
if [ -n "$bad" ]; then
  printf 'pipelines into a reader that stops early, in scripts that set pipefail:\n%s\n' "$bad" >&2
  exit 1
fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
loop() {
  local failures=0 status
  for _ in $(seq 100); do
    status=0
    bash scripts/fuzz.sh --seeds-only "$scratch/$1" decimal names chart x_axis picture command_line ||
      status=$?
    [ "$status" -eq 0 ] || { echo "seed making exited with $status" >&2; failures=$((failures + 1)); }
  done
  echo "$failures" >"$scratch/failures.$1"
}
loop a &
loop b
wait
failures=$(($(cat "$scratch/failures.a") + $(cat "$scratch/failures.b")))
if [ "$failures" -ne 0 ]; then
  echo "fuzz.sh --seeds-only failed $failures times in 200 runs" >&2
  exit 1
fi
echo "scripts: no pipeline into head or grep -q under pipefail; seed making 200 times without a failure"
