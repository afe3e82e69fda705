#!/usr/bin/env bash
# Installs what is missing, builds in Release and starts Kurvon on the bundled example.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" build/release
exec "$root/build/release/src/app/kurvon" "$root/examples/example.kvd"
