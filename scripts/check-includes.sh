#!/usr/bin/env bash
# Checks the include structure of src/, run by the test command:
# 1. arrows point down only: each folder includes only its own files and the folders below it
#    (platform; data on platform; analysis on data; chart and controls on analysis, data and
#    platform; app on everything), and data and analysis include no Qt at all;
# 2. no cycle between the units of a folder (every folder is named in `acyclic` below). A unit
#    is a header with its source files: X.h and X.cpp, and any source without a header of its
#    own that names its unit's header as its first include (CKurvonView.h first in
#    ViewLoading.cpp, say). A source whose unit includes a header of another unit makes an
#    arrow from the one to the other.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root/src"

# One line per quoted include: folder, file, line number, included path.
includes=$(grep -HnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' -- */*.h */*.cpp |
  sed -E 's|^([^/]+)/([^:]+):([0-9]+):[^"]*"([^"]+)".*|\1 \2 \3 \4|')

status=0
if qt=$(grep -HnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<Q' -- data/* analysis/*); then
  printf 'Qt in a folder that is plain C++:\n%s\n' "$qt" >&2
  status=1
fi

printf '%s\n' "$includes" | awk '
BEGIN {
    allowed["platform"] = " platform "
    allowed["data"] = " data platform "
    allowed["analysis"] = " analysis data platform "
    allowed["chart"] = " chart analysis data platform "
    allowed["controls"] = " controls analysis data platform "
    allowed["app"] = " app controls chart analysis data platform "
    acyclic = " platform data analysis chart controls app "
    bad = 0
}
function stem(path) { sub(/^.*\//, "", path); sub(/\.(h|cpp)$/, "", path); return path }
NF == 4 {
    dir = $1; file = $2; line = $3; inc = $4
    to = inc; sub(/\/.*$/, "", to)
    if (!(dir in allowed)) {
        printf "src/%s/%s: folder missing from the layering\n", dir, file > "/dev/stderr"
        bad = 1
    } else if (inc ~ /\// && index(allowed[dir], " " to " ") == 0) {
        printf "src/%s/%s:%s: %s points up (or across) from %s\n", dir, file, line, inc, dir > "/dev/stderr"
        bad = 1
    }
    n++
    fdir[n] = dir; ffile[n] = file; finc[n] = inc; fto[n] = to
    if (file ~ /\.h$/) header[dir "/" stem(file)] = 1
    if (!((dir "/" file) in first)) first[dir "/" file] = inc
}
END {
    # The unit of each file.
    for (i = 1; i <= n; i++) {
        key = fdir[i] "/" ffile[i]
        if (key in unit) continue
        s = stem(ffile[i])
        if (ffile[i] ~ /\.h$/ || ((fdir[i] "/" s) in header)) {
            unit[key] = fdir[i] "/" s
        } else {
            # Its first include, when that is a header of the same folder, names the unit.
            f = first[key]
            if (index(f, fdir[i] "/") == 1 && ((fdir[i] "/" stem(f)) in header))
                s = stem(f)
            unit[key] = fdir[i] "/" s
        }
    }
    # Arrows between units of the same folder.
    for (i = 1; i <= n; i++) {
        if (finc[i] !~ /\// || fto[i] != fdir[i] || index(acyclic, " " fdir[i] " ") == 0) continue
        from = unit[fdir[i] "/" ffile[i]]
        to = fdir[i] "/" stem(finc[i])
        if (from == to || ((from SUBSEP to) in edge)) continue
        edge[from, to] = fdir[i] "/" ffile[i]
        out[from] = out[from] " " to
        nodes[from] = 1; nodes[to] = 1
    }
    # Depth-first search; a unit met again while still on the path closes a cycle.
    for (u in nodes) if (!(u in state)) visit(u, 0)
    exit bad
}
function visit(u, depth,    list, k, m, v, j, text) {
    state[u] = 1; path[depth] = u
    m = split(out[u], list, " ")
    for (k = 1; k <= m; k++) {
        v = list[k]
        if ((v in state) && state[v] == 1) {
            text = ""
            for (j = 0; j <= depth; j++) if (text != "" || path[j] == v) text = text path[j] " -> "
            printf "include cycle: %s%s (%s includes %s)\n", text, v, edge[u, v], v ".h" > "/dev/stderr"
            bad = 1
        } else if (!(v in state)) {
            visit(v, depth + 1)
        }
    }
    state[u] = 2
}
' || status=1
[ "$status" -eq 0 ] || exit 1
echo "includes: arrows point down, no cycle between units"
