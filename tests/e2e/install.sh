#!/bin/bash
# Installs the build into a temporary prefix and checks what a desktop user gets: the commands
# on the PATH, the program folder in one place with the manuals, a desktop entry that
# validates, the icon in the icon theme, the man page; the installed program keeps its settings
# where the rules say; uninstalling leaves no file behind.
# usage: install.sh BUILD_DIR SOURCE_DIR
set -euo pipefail

build="${1:?usage: $0 BUILD_DIR SOURCE_DIR}"
source="${2:?usage: $0 BUILD_DIR SOURCE_DIR}"
for tool in desktop-file-validate; do
    command -v "$tool" >/dev/null || { echo "missing $tool (scripts/install-deps.sh)"; exit 1; }
done

work=$(mktemp -d)
prefix="$work/prefix"
manifest="$build/install_manifest.txt"
# The manifest of a real install from this build must survive the test.
[ -e "$manifest" ] && cp "$manifest" "$work/manifest.saved"
cleanup() {
    if [ -e "$work/manifest.saved" ]; then cp "$work/manifest.saved" "$manifest"; else rm -f "$manifest"; fi
    rm -rf "$work"
}
trap cleanup EXIT

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# Width and height of a PNG file from its header.
png_size() {
    local bytes
    bytes=$(od -An -tu1 -j16 -N8 "$1" | tr -s ' ')
    set -- $bytes
    echo "$(( ($1 << 24) + ($2 << 16) + ($3 << 8) + $4 ))x$(( ($5 << 24) + ($6 << 16) + ($7 << 8) + $8 ))"
}

cmake --install "$build" --prefix "$prefix" >/dev/null

program="$prefix/lib/quorvel"
for file in Quorvel quorvel-render libRX40dApp_x64.so profile_x64.ini misc/ffmpeg Quorvel_en.pdf Quorvel_jp.pdf; do
    [ -e "$program/$file" ] || fail "program folder lacks $file"
done
for command in quorvel quorvel-render; do
    PATH="$prefix/bin:/usr/bin:/bin" command -v "$command" >/dev/null || fail "$command is not on the PATH"
done
[ "$(readlink -f "$prefix/bin/quorvel")" = "$(readlink -f "$program/Quorvel")" ] || fail "quorvel does not start the program"
grep -q '^Usage: quorvel-render' <<<"$("$prefix/bin/quorvel-render" --help)" || fail "quorvel-render --help"
# Read ldd's answer whole: grep -q closing the pipe early would fail the pipeline under pipefail.
libraries=$(ldd "$program/Quorvel")
grep -q "libRX40dApp_x64.so => $(readlink -f "$program")/libRX40dApp_x64.so" <<<"$libraries" \
    || grep -q "libRX40dApp_x64.so => $program/libRX40dApp_x64.so" <<<"$libraries" \
    || fail "the installed program does not load the installed library"

desktop="$prefix/share/applications/quorvel.desktop"
if [ -e "$desktop" ]; then
    desktop-file-validate "$desktop" || fail "desktop entry does not validate"
    grep -q '^Exec=quorvel /O %f$' "$desktop" || fail "desktop entry does not open files with /O"
    for type in video/x-msvideo video/mp2t video/quicktime video/mpeg video/mp4 video/x-ms-wmv image/bmp image/jpeg; do
        grep -q "^MimeType=.*$type;" "$desktop" || fail "desktop entry does not open $type"
    done
else
    fail "no desktop entry"
fi

for size in 16 22 24 32 48 64 128 256; do
    icon="$prefix/share/icons/hicolor/${size}x${size}/apps/quorvel.png"
    if [ -e "$icon" ]; then
        [ "$(png_size "$icon")" = "${size}x${size}" ] || fail "$icon is $(png_size "$icon")"
    else
        fail "no ${size}x${size} icon"
    fi
done
cmp -s "$prefix/share/icons/hicolor/scalable/apps/quorvel.svg" "$source/resources/icons/quorvel.svg" \
    || fail "no scalable icon"

man="$prefix/share/man/man1/quorvel-render.1"
if [ -e "$man" ]; then
    if command -v man >/dev/null; then
        grep -q -- '--save' <<<"$(MANWIDTH=80 man -l "$man" 2>/dev/null)" || fail "man page does not render"
    fi
else
    fail "no man page"
fi

# The installed program keeps its settings in the data folder named after its folder.
# It is closed like a desktop session ends it, once it has started.
export XDG_CONFIG_HOME="$work/config"
data="$XDG_CONFIG_HOME/Velmarro/quorvel"
QT_QPA_PLATFORM=offscreen "$prefix/bin/quorvel" >/dev/null 2>&1 &
started=$!
for _ in $(seq 100); do
    [ -e "$data/Mosaic.cdc" ] && break
    sleep 0.1
done
sleep 1
kill -TERM "$started"
wait "$started" || fail "the installed program did not end cleanly"
[ -e "$data/Quorvel.ini" ] || fail "the installed program kept no settings in Velmarro/quorvel"

cmake -DMANIFEST="$manifest" -P "$source/cmake/QuorvelUninstall.cmake" >/dev/null
left=$(find "$prefix" \( -type f -o -type l \) | head -5)
[ -z "$left" ] || fail "uninstall left: $left"
[ ! -e "$program" ] || fail "uninstall left the program folder"

if [ "$failures" -ne 0 ]; then
    echo "$failures failure(s)"
    exit 1
fi
echo "install and uninstall: ok"
