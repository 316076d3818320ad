#!/usr/bin/env bash
# Installs the build under a temporary DESTDIR with prefix /usr and checks what a desktop finds:
# the program folder as build/bin/ holds it, the command link, the menu entry, the icon at each
# size, and metadata that names the same id and validates.
#   install_layout.sh <build folder>
set -euo pipefail
build="$1"
id=example.brenlow.Brenlow
stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT
fail() { echo "install_layout: $*" >&2; exit 1; }
for tool in desktop-file-validate appstreamcli identify; do
  command -v "$tool" >/dev/null || fail "needs $tool (bash scripts/install-deps.sh)"
done

DESTDIR="$stage" cmake --install "$build" --prefix /usr >/dev/null
usr="$stage/usr"

diff <(ls -A "$build/bin") <(ls -A "$usr/lib/brenlow") || fail "lib/brenlow/ differs from build/bin/"
for file in "$build"/bin/*; do
  # The executable itself may differ: installing rewrites its run path.
  [ "${file##*/}" = brenlow ] || cmp -s "$file" "$usr/lib/brenlow/${file##*/}" ||
    fail "lib/brenlow/${file##*/} differs from build/bin/"
done
[ -x "$usr/lib/brenlow/brenlow" ] || fail "lib/brenlow/brenlow is not executable"
[ "$(readlink "$usr/bin/brenlow")" = ../lib/brenlow/brenlow ] ||
  fail "bin/brenlow is not a relative link to lib/brenlow/brenlow"

desktop="$usr/share/applications/$id.desktop"
report="$(desktop-file-validate "$desktop" 2>&1)" && [ -z "$report" ] ||
  fail "desktop entry: ${report:-missing}"
grep -qx "Exec=brenlow" "$desktop" || fail "the desktop entry does not start bin/brenlow"
grep -qx "Icon=$id" "$desktop" || fail "the desktop entry's icon is not $id"

# An empty or wrongly sized drawing would still be a PNG: check size and some colours.
[ -s "$usr/share/icons/hicolor/scalable/apps/$id.svg" ] || fail "no scalable icon"
for size in 48 128 256; do
  png="$usr/share/icons/hicolor/${size}x${size}/apps/$id.png"
  read -r width height colours < <(identify -format '%w %h %k\n' "$png") || fail "no $png"
  [ "$width" = "$size" ] && [ "$height" = "$size" ] && [ "$colours" -gt 100 ] ||
    fail "${size}px icon is ${width}x${height} with $colours colours"
done

# validate-tree also checks that the launchable names an installed desktop entry.
grep -q "<id>$id</id>" "$usr/share/metainfo/$id.metainfo.xml" || fail "metadata id is not $id"
appstreamcli validate-tree --no-net "$usr" >"$stage/appstream.log" 2>&1 ||
  fail "metadata: $(cat "$stage/appstream.log")"
echo "install_layout: ok"
