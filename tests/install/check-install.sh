#!/usr/bin/env bash
# check-install.sh BUILD: installs the build into a fresh prefix and checks that every file
# is where the desktop looks for it, and that the menu entry and the AppStream file validate.
set -euo pipefail
build=$1
prefix=$(mktemp -d "${TMPDIR:-/tmp}/tossbox install.XXXXXX")
trap 'rm -rf "$prefix"' EXIT
fail() { echo "check-install: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null

id=org.tossbox.Tossbox
[ -x "$prefix/bin/tossbox" ] || fail "no program at bin/tossbox"
data="$prefix/share"
help="$data/tossbox/VUVUV.ozi"
[ -f "$help" ] || fail "no help file at share/tossbox/VUVUV.ozi"
pictures=$(grep -o 'src="[^"]*"' "$help" | sed 's/^src="//; s/"$//')
[ -n "$pictures" ] || fail "the help file shows no pictures"
for picture in $pictures; do
  [ -f "$data/tossbox/$picture" ] || fail "help picture $picture not installed"
done

desktop="$data/applications/$id.desktop"
[ -f "$desktop" ] || fail "no menu entry"
desktop-file-validate "$desktop" || fail "the menu entry does not validate"
grep -qx 'Exec=tossbox %U' "$desktop" || fail "Exec is not 'tossbox %U'"
grep -q '^MimeType=.*inode/directory;' "$desktop" || fail "folders are not among the MIME types"
grep -q '^Name\[ja\]=' "$desktop" || fail "no Japanese name"
grep -q '^Comment\[ja\]=' "$desktop" || fail "no Japanese comment"

metainfo="$data/metainfo/$id.metainfo.xml"
[ -f "$metainfo" ] || fail "no AppStream metadata"
appstreamcli validate --no-net "$metainfo" || fail "the AppStream metadata does not validate"

for size in 16 32 48; do
  png="$data/icons/hicolor/${size}x${size}/apps/$id.png"
  [ -f "$png" ] || fail "no ${size} px icon"
  [ "$(identify -format '%wx%h' "$png")" = "${size}x${size}" ] || fail "the ${size} px icon has another size"
done
[ -f "$data/icons/hicolor/scalable/apps/$id.svg" ] || fail "no scalable icon"
echo "check-install: all in place under a temporary prefix"
