#!/bin/bash
# Builds the Debian package from this build and checks what apt would install: the control
# fields, Depends worked out from the linked libraries plus the run-time needs, every file
# under /usr where a desktop expects it, nothing of the build or its tests, and programs that
# run from the unpacked tree.
# usage: package.sh BUILD_DIR VERSION
set -euo pipefail

build="${1:?usage: $0 BUILD_DIR VERSION}"
version="${2:?usage: $0 BUILD_DIR VERSION}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

(cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; exit 1; }
deb="$work/out/quorvel_${version}_amd64.deb"
[ -e "$deb" ] || { echo "no $deb:"; ls "$work/out"; exit 1; }

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = quorvel ] || fail "Package is $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version is $(field Version)"
[ "$(field Architecture)" = amd64 ] || fail "Architecture is $(field Architecture)"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
[ -n "$(field Description)" ] || fail "no Description"
depends=$(field Depends)
# The tool, the library loaded by name and the font, then what dpkg-shlibdeps finds.
for package in ffmpeg libmediainfo0v5 fonts-ipafont-gothic libqt6widgets6 libqt6svg6 \
    libavformat59 libavcodec59 libswscale6 libsdl2-2.0-0 libpugixml1v5 libc6; do
    grep -Eq "(^|, )$package( \(|,|$)" <<<"$depends" || fail "Depends lacks $package: $depends"
done
grep -q 'qt6-translations-l10n' <<<"$(field Recommends)" || fail "Qt's translations not recommended"

# A maintainer script would keep the package in dpkg's records after apt-get remove.
scripts=$(dpkg-deb --ctrl-tarfile "$deb" | tar -t | grep -E 'preinst|postinst|prerm|postrm' || true)
[ -z "$scripts" ] || fail "maintainer scripts: $scripts"

listing=$(dpkg-deb -c "$deb")
paths=$(awk '{ print ($6 == "" ? "" : $6) }' <<<"$listing" | sed 's#^\./#/#')
expected=(
    /usr/lib/quorvel/Quorvel /usr/lib/quorvel/quorvel-render /usr/lib/quorvel/libRX40dApp_x64.so
    /usr/lib/quorvel/misc/ffmpeg /usr/lib/quorvel/profile_x64.ini
    /usr/lib/quorvel/Quorvel_en.pdf /usr/lib/quorvel/Quorvel_jp.pdf
    /usr/share/applications/quorvel.desktop /usr/share/man/man1/quorvel-render.1
    /usr/share/icons/hicolor/scalable/apps/quorvel.svg
)
for size in 16 22 24 32 48 64 128 256; do
    expected+=("/usr/share/icons/hicolor/${size}x${size}/apps/quorvel.png")
done
for path in "${expected[@]}"; do
    grep -qx -- "$path" <<<"$paths" || fail "package lacks $path"
done
grep -q '\./usr/bin/quorvel -> \.\./lib/quorvel/Quorvel$' <<<"$listing" || fail "quorvel is not a link to the program"
grep -q '\./usr/bin/quorvel-render -> \.\./lib/quorvel/quorvel-render$' <<<"$listing" \
    || fail "quorvel-render is not a link to the renderer"
outside=$(grep -v '^/usr/' <<<"$paths" | grep -vx '/' || true)
[ -z "$outside" ] || fail "files outside /usr: $outside"
strays=$(grep -Ei 'test|bench|fuzz|\.a$|\.h$|/include/' <<<"$paths" || true)
[ -z "$strays" ] || fail "build or test files in the package: $strays"

dpkg-deb -x "$deb" "$work/root"
program="$work/root/usr/lib/quorvel"
for binary in Quorvel quorvel-render libRX40dApp_x64.so misc/ffmpeg; do
    file -b "$program/$binary" | grep -q 'not stripped' && fail "$binary is not stripped"
    rpath=$(readelf -d "$program/$binary" | grep -E 'RPATH|RUNPATH' || true)
    grep -q "$build\|/work" <<<"$rpath" && fail "$binary looks for libraries in the build: $rpath"
done
grep -q '^Usage: quorvel-render' <<<"$("$work/root/usr/bin/quorvel-render" --help)" \
    || fail "the unpacked quorvel-render --help"

if [ "$failures" -ne 0 ]; then
    echo "$failures failure(s)"
    exit 1
fi
echo "package $(basename "$deb"): ok"
