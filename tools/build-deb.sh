#!/usr/bin/env bash
# Builds the Debian package dist/hopdir_VERSION_ARCH.deb (into OUTDIR when
# given) from the native preset: cmake --install stages what it installs
# under /usr, and dpkg-deb packs it with the control file, the copyright,
# a changelog and the postinst of packaging/deb/. dpkg-deb rather than
# CPack: every file of the package is what this script put there, and
# lintian checks exactly that. The version is project()'s, as --version
# and the manual pages show it.
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m -- "${1:-dist}")

source tools/packages.sh
source tools/native_build.sh
need dpkg-deb dpkg
# The package holds the programs alone, not the tests.
build_native_programs
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/native/CMakeCache.txt)
[ -n "$version" ] || {
  echo "no project version in build/native/CMakeCache.txt" >&2
  exit 1
}
arch=$(dpkg --print-architecture)

stage=$(mktemp -d "${TMPDIR:-/tmp}/hopdir-deb.XXXXXX")
trap 'rm -rf -- "$stage"' EXIT
DESTDIR="$stage" cmake --install build/native --prefix /usr --strip >/dev/null

doc="$stage/usr/share/doc/hopdir"
mkdir -p "$doc" "$stage/DEBIAN"
cp README.md packaging/deb/copyright "$doc/"
mkdir -p "$stage/usr/share/lintian/overrides"
cp packaging/deb/lintian-overrides "$stage/usr/share/lintian/overrides/hopdir"
# The date of the last commit, so that the same tree packs the same bytes.
date=$(date -R -d "@$(git log -1 --format=%ct 2>/dev/null || date +%s)")
printf 'hopdir (%s) unstable; urgency=medium\n\n  * Release %s.\n\n -- %s  %s\n' \
  "$version" "$version" "Hopdir developers <hopdir@example.org>" "$date" >"$doc/changelog"
gzip -9n "$doc/changelog" "$stage"/usr/share/man/man*/*

# Whatever the umask gave: directories and programs 755, the rest 644.
find "$stage" -type d -exec chmod 0755 {} +
find "$stage" -type f -exec chmod 0644 {} +
chmod 0755 "$stage"/usr/bin/* "$stage/DEBIAN"
install -m 0755 packaging/deb/postinst "$stage/DEBIAN/postinst"
size=$(du -sk --exclude=DEBIAN "$stage" | cut -f1)
sed -e "s/@VERSION@/$version/" -e "s/@ARCH@/$arch/" -e "s/@SIZE@/$size/" \
  packaging/deb/control.in >"$stage/DEBIAN/control"
(cd "$stage" && find usr -type f -printf '%P\n' | sort | sed 's|^|usr/|' | xargs -d '\n' md5sum) \
  >"$stage/DEBIAN/md5sums"
chmod 0644 "$stage/DEBIAN/control" "$stage/DEBIAN/md5sums"

mkdir -p "$out"
deb="$out/hopdir_${version}_${arch}.deb"
dpkg-deb --root-owner-group -Zxz --build "$stage" "$deb" >/dev/null
echo "$deb"
