#!/usr/bin/env bash
# fault-cases.sh BUILD_DIR: runs the command line's fault cases (pictures that cannot be saved,
# odd files to load, files changed while they load, memory and size limits, junk options)
# against BUILD_DIR/src/app/kurvon in a scratch folder and prints one row per case: exit status,
# the message, whether anything was lost or left behind, and the seconds taken. A report, not a
# test: it ends with the number of cases that lost data, crashed or hung, and of failures
# without a clear one-line message.
set -uo pipefail
build=$(cd "${1:?usage: fault-cases.sh BUILD_DIR}" && pwd)
kurvon=$build/src/app/kurvon
[ -x "$kurvon" ] || { echo "no kurvon in $build/src/app" >&2; exit 2; }
export QT_QPA_PLATFORM=offscreen
scratch=$(mktemp -d)
trap 'chmod -R u+rwx "$scratch"; rm -rf "$scratch"' EXIT
cd "$scratch" || exit 2

bad=0     # lost or corrupted data, crashed, hung
unclear=0 # failed without one line saying why
printf '%-44s %4s  %-64s %-8s %6s\n' case exit message intact seconds

# run NAME SECONDS CHECK CMD...: CHECK is a command that succeeds when nothing was lost or
# left behind ("-" when there is nothing to check).
run() {
    local name=$1 limit=$2 check=$3
    shift 3
    local start end code message intact=-
    start=$(date +%s.%N)
    timeout -k 5 "$limit" "$@" >out.txt 2>err.txt
    code=$?
    end=$(date +%s.%N)
    grep -v '^QStandardPaths' err.txt >msg.txt
    message=$(awk 'NR == 1 { print substr($0, 1, 64) }' msg.txt)
    if [ "$check" != - ]; then
        if eval "$check"; then intact=yes; else intact=NO; fi
    fi
    if [ "$code" -eq 124 ] || [ "$code" -eq 137 ]; then
        message="HUNG $message"
        bad=$((bad + 1))
    elif [ "$code" -ge 126 ] || grep -q 'Sanitizer' msg.txt; then
        message="CRASHED $message"
        bad=$((bad + 1))
    elif [ "$intact" = NO ]; then
        bad=$((bad + 1))
    fi
    if [ "$code" -ne 0 ] && { [ "$(wc -l <msg.txt)" -ne 1 ] || ! grep -q '^kurvon: ' msg.txt ||
        grep -q 'Unknown error' msg.txt; }; then
        unclear=$((unclear + 1))
        message="UNCLEAR $message"
    fi
    printf '%-44s %4s  %-64s %-8s %6.2f\n' "$name" "$code" "${message:--}" "$intact" \
        "$(echo "$end - $start" | bc)"
}

skip() { printf '%-44s %4s  %-64s %-8s %6s\n' "$1" - "skipped: $2" - -; }

# Data: a small file, a 400 MB one (loads for a few seconds), one whose table needs ~100 MB.
{
    printf 'faults\r\nrise flat\r\n'
    for r in $(seq 1 300); do printf '%d 3\r\n' "$r"; done
} >data.kvd
{
    printf 'large\r\na b c d e f g h\r\n'
    yes '1000.125 1001.125 1002.125 1003.125 1004.125 1005.125 1006.125 1007.125' |
        dd bs=1M count=381 iflag=fullblock status=none || true # yes ends by SIGPIPE
} >large.kvd
{
    printf 'many\r\na b\r\n'
    yes '1 2' | dd bs=1M count=48 iflag=fullblock status=none || true
} >table.kvd
files() { find "$scratch" -maxdepth 2 -newer data.kvd -type f | grep -cv '\.txt$'; }

echo "== saving a picture"
run "read-only folder (/proc)" 60 '[ ! -e /proc/kurvon-fault.bmp ]' \
    "$kurvon" --render /proc/kurvon-fault.bmp data.kvd
run "read-only folder (/sys)" 60 '[ ! -e /sys/kurvon-fault.bmp ]' \
    "$kurvon" --render /sys/kurvon-fault.bmp data.kvd
run "missing folder" 60 '[ ! -e missing ]' "$kurvon" --render missing/out.bmp data.kvd
if [ "$(id -u)" -eq 0 ] && mknod full.bmp c 1 7 2>/dev/null; then
    run "device node /dev/full as the target" 60 '[ -c full.bmp ]' \
        "$kurvon" --render full.bmp data.kvd
else
    skip "device node /dev/full as the target" "mknod needs root"
fi
mkfifo pipe.bmp
run "FIFO as the target" 60 '[ -p pipe.bmp ]' "$kurvon" --render pipe.bmp data.kvd
run "full disk: CSV export to /dev/full" 60 - sh -c '"$0" --export - data.kvd >/dev/full' "$kurvon"
printf 'keep me' >old.bmp
before=$(files)
run "file-size limit over an existing file" 60 \
    '[ "$(cat old.bmp)" = "keep me" ] && [ "$(files)" -eq "$before" ]' \
    sh -c 'ulimit -f 10 && exec "$0" --render old.bmp data.kvd --size 2000x1500' "$kurvon"
printf 'keep me' >old.csv
before=$(files)
run "file-size limit over an existing CSV export" 60 \
    '[ "$(cat old.csv)" = "keep me" ] && [ "$(files)" -eq "$before" ]' \
    sh -c 'ulimit -f 10 && exec "$0" --export old.csv table.kvd' "$kurvon"
run "over an existing file" 60 '[ "$(head -c 2 old.bmp)" = BM ]' \
    "$kurvon" --render old.bmp data.kvd
mkdir -p "a b"
run "path with spaces and Chinese (BMP)" 60 '[ "$(head -c 2 "a b/图 片.bmp")" = BM ]' \
    "$kurvon" --render "a b/图 片.bmp" data.kvd
run "path with spaces and Chinese (PNG)" 60 '[ "$(head -c 4 "a b/图 片.png" | tail -c 3)" = PNG ]' \
    "$kurvon" --render "a b/图 片.png" data.kvd

echo "== loading"
mkfifo pipe.kvd
run "FIFO without a writer" 20 - "$kurvon" --info pipe.kvd
run "folder" 20 - "$kurvon" --info "$scratch"
run "/proc/self/mem" 20 - "$kurvon" --info /proc/self/mem
run "/dev/zero" 20 - "$kurvon" --info /dev/zero
truncate -s 5G sparse.kvd
run "5 GB sparse file (NUL bytes)" 60 - "$kurvon" --info sparse.kvd
cp data.kvd locked.kvd && chmod 000 locked.kvd
if [ "$(id -u)" -eq 0 ] && command -v setpriv >/dev/null; then
    chmod 755 "$scratch"
    run "unreadable file (as nobody)" 20 - \
        setpriv --reuid=65534 --regid=65534 --clear-groups "$kurvon" --info locked.kvd
elif [ "$(id -u)" -ne 0 ]; then
    run "unreadable file" 20 - "$kurvon" --info locked.kvd
else
    skip "unreadable file" "root reads it and setpriv is missing"
fi
run "address-space limit 100 MB (table ~100 MB)" 60 - \
    sh -c 'ulimit -v 100000 && exec "$0" --info table.kvd' "$kurvon"
expected=$("$kurvon" --info large.kvd | awk 'NR <= 2 { printf "%s ", $0 }')
# Changes made from a background job half a second into the load (which takes seconds).
during() {
    local name=$1 change=$2 check=$3
    cp large.kvd changing.kvd
    (sleep 0.5 && eval "$change") &
    run "$name" 120 "$check" "$kurvon" --info changing.kvd
    wait
}
during "truncated to 1000 bytes while it loads" 'truncate -s 1000 changing.kvd' -
during "rewritten in place while it loads" \
    'printf "9 9 9 9" | dd of=changing.kvd bs=1 seek=100 conv=notrunc status=none' -
during "grows while it loads (loads as it was)" \
    'yes "1 2 3 4 5 6 7 8" | dd bs=1M count=10 iflag=fullblock status=none >>changing.kvd' \
    '[ "$(head -2 out.txt | tr "\n" " ")" = "$expected" ]'

echo "== --render sizes and junk options"
for size in 0x0 1x1 0x100 100x0 16384x1 1x16384 16384x16384 16385x1 1x16385 -5x5 1e3x10 \
    99999999999999999999x1 " 10x10" 10x10x x ""; do
    run "--size '$size'" 300 - "$kurvon" --render size.bmp data.kvd --size "$size"
done
for option in "--channels 0,,1" "--channels 9" "--channels -1" "--channels 99999999999" \
    "--window 5:5" "--window a:b" "--window 0:99999999999" "--window :" \
    "--cursor 1,2,3" "--cursor x,y" "--cursor 99999999999,0" "--drag 5" "--drag a:b" \
    "--drag 99999999999:0" "--seed -1" "--seed 99999999999999999999" "--seed x" \
    "--bogus 1" "--size" "--literal 1"; do
    # shellcheck disable=SC2086 # the option and its value
    run "$option" 60 - "$kurvon" --render junk.bmp data.kvd $option
done

echo
echo "cases that lost or corrupted data, crashed or hung: $bad"
echo "failures without a clear one-line message: $unclear"
