#!/usr/bin/env bash
# Installs what is missing, builds with the given preset (default: "default") and makes the
# Debian package build/brenlow_<version>_<arch>.deb, then checks what it declares and holds: its
# name and the project's version, the libraries' packages and the labels' font among its
# dependencies, no maintainer scripts (so removing it leaves nothing behind), and the layout
# under /usr.
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-default}"
bash scripts/install-deps.sh
bash scripts/build.sh "$preset"
rm -f build/brenlow_*.deb
(cd build && cpack -G DEB) >build/cpack.log 2>&1 || { cat build/cpack.log >&2; exit 1; }
deb="$(echo build/brenlow_*.deb)"
[ -f "$deb" ] || { echo "package.sh: cpack made no build/brenlow_*.deb" >&2; exit 1; }

info="$(dpkg-deb --info "$deb")"
contents="$(dpkg-deb --contents "$deb")"
version="$(sed -n 's/^project(Brenlow VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)"
id=example.brenlow.Brenlow
faults=()
has() { grep -qE "$2" <<<"$1" || faults+=("$3"); }
has "$info" "^ Package: brenlow$" "the package is not named brenlow"
has "$info" "^ Version: $version$" "the version is not $version"
has "$info" "^ Depends: .*fonts-liberation2" "no dependency on fonts-liberation2"
has "$info" "^ Depends: .*libqt6widgets6" "no dependencies from the shared libraries"
grep -qE '\b(preinst|postinst|prerm|postrm|conffiles)\b' <<<"$info" &&
  faults+=("maintainer scripts or conffiles in the package")
grep -qvE '^\S+ root/root .* \./usr/' <<<"$contents" &&
  faults+=("entries outside /usr or not owned by root")
for entry in "usr/bin/brenlow -> ../lib/brenlow/brenlow" "usr/lib/brenlow/brenlow" \
    "usr/lib/brenlow/help.rtf" "usr/share/applications/$id.desktop" \
    "usr/share/icons/hicolor/48x48/apps/$id.png" "usr/share/icons/hicolor/scalable/apps/$id.svg" \
    "usr/share/metainfo/$id.metainfo.xml" "usr/share/doc/brenlow/copyright"; do
  grep -qF " ./$entry" <<<"$contents" || faults+=("no $entry")
done

if [ ${#faults[@]} -gt 0 ]; then
  printf 'package.sh: %s\n' "${faults[@]}" >&2
  exit 1
fi
echo "package.sh: $deb"
