#!/usr/bin/env bash
# check-package.sh [BUILD_DIR]: builds the Debian package (scripts/package.sh BUILD_DIR) and
# checks it: the desktop entry and the AppStream metainfo validate, the file list holds
# everything a desktop install needs, Depends came from the linked libraries, the MIME
# description maps *.kvd to the type the desktop entry opens, and the man page documents every
# option the binary's --help names.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/package.sh" "$@"
deb=$(ls "$root"/build/package/kurvon_*.deb) # package.sh leaves exactly one
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "check-package: $*" >&2; exit 1; }

type=application/x-kurvon-data
files=(
  ./usr/bin/kurvon
  ./usr/share/applications/kurvon.desktop
  ./usr/share/mime/packages/kurvon.xml
  ./usr/share/metainfo/example.kurvon.Kurvon.metainfo.xml
  ./usr/share/man/man1/kurvon.1.gz
)
sizes=(16 32 48 64 128 256)
for s in "${sizes[@]}"; do files+=("./usr/share/icons/hicolor/${s}x${s}/apps/kurvon.png"); done

dpkg-deb -c "$deb" | awk '{ print $6 }' >"$work/list"
for f in "${files[@]}"; do grep -qxF "$f" "$work/list" || fail "$deb lacks $f"; done

depends=$(dpkg-deb -f "$deb" Depends)
[[ "$depends" == *libqt6widgets6* && "$depends" == *libc6* ]] ||
  fail "Depends does not name the linked libraries: $depends"

dpkg-deb -x "$deb" "$work/root"
share="$work/root/usr/share"
desktop-file-validate "$share/applications/kurvon.desktop"
appstreamcli validate --no-net "$share/metainfo/example.kurvon.Kurvon.metainfo.xml"

grep -qx "Exec=kurvon %f" "$share/applications/kurvon.desktop" || fail "Exec does not pass the file"
grep -qx "MimeType=$type;" "$share/applications/kurvon.desktop" || fail "MimeType is not $type"

# The database a file manager would build from the package's description.
XDG_DATA_DIRS="$share" update-mime-database "$share/mime"
grep -qx "50:$type:\*.kvd" "$share/mime/globs2" || fail "*.kvd does not map to $type"
grep -qx "$type text/plain" "$share/mime/subclasses" || fail "$type is not a kind of text/plain"

for s in "${sizes[@]}"; do
  [[ "$(file -b "$share/icons/hicolor/${s}x${s}/apps/kurvon.png")" == *"PNG image data, $s x $s,"* ]] ||
    fail "the ${s}x$s icon is not a $s x $s PNG"
done

zcat "$share/man/man1/kurvon.1.gz" >"$work/kurvon.1"
grep -q '^\.TH KURVON "1"' "$work/kurvon.1" || fail "the man page is not kurvon(1)"
options=$("$work/root/usr/bin/kurvon" --help | grep -o -- '--[a-z][a-z-]*' | sort -u)
[ -n "$options" ] || fail "kurvon --help names no option"
for o in $options; do
  grep -qF -- "${o//-/\\-}" "$work/kurvon.1" || fail "the man page lacks $o"
done
echo "check-package: $(basename "$deb") holds ${#files[@]} checked files; Depends: $depends"
