#!/usr/bin/env bash
# Writes the seed corpora of the fuzz targets: fuzz/make-seeds.sh BUILD-DIR OUT-DIR.
# BUILD-DIR is the fuzz build (it holds fuzz/quorvel-fuzz-seeds); every target gets OUT-DIR/<target>/.
set -euo pipefail
build=$1
out=$2
src=$(cd "$(dirname "$0")/.." && pwd)
rm -rf "$out"
for target in FuzzBitmap FuzzTrackFile FuzzFixedAreaFile FuzzSettingsIni FuzzPeVersion \
    FuzzElfVersion FuzzLauncherArgs FuzzProfileTemplate FuzzReshape FuzzRenderArgs; do
    mkdir -p "$out/$target"
done

# Files the program writes: bitmaps, progress files, a PE file with a version record.
"$build/fuzz/quorvel-fuzz-seeds" "$out/FuzzBitmap" "$out/FuzzFixedAreaFile" \
    "$out/FuzzTrackFile" "$out/FuzzPeVersion"
# A bitmap as the converter makes it (bottom-up, odd width).
ffmpeg -nostdin -v error -y -f lavfi -i testsrc2=size=7x3 -frames:v 1 -pix_fmt bgr24 \
    "$out/FuzzBitmap/converter.bmp"
# Our own ELF version record: just its section, cut out of a program that carries it.
objcopy -O elf64-x86-64 --only-section=.qv_version "$build/fuzz/quorvel-fuzz-seeds" \
    "$out/FuzzElfVersion/own.elf"

# The settings file (first line: the section and key to change).
printf 'Mosaic=SizeID\n[Mosaic]\nSizeID=2\nPlaySpeedRate=1.0\n\n[Window]\r\nPosX=100\r\n' \
    > "$out/FuzzSettingsIni/settings.ini"
printf 'Recent File List=File1\n\xEF\xBB\xBF; notes\n[Recent File List]\nFile1="/a b.mp4"\n' \
    > "$out/FuzzSettingsIni/bom.ini"
# Found by fuzzing: a key written as "[c]=42" read back as a section header.
printf 'MoRei)=[c]' > "$out/FuzzSettingsIni/key-read-as-section"

# Argument vectors, NUL-separated.
words() { printf '%s\0' "$@"; }
words -i /v.avi -i /a.wav -vcodec copy -sameq -acodec copy -async 2 /o.avi \
    > "$out/FuzzLauncherArgs/join"
words -i /c.m2ts -vcodec msmpeg4v2 -b 30000k -y -an -r 29.97 -vf transpose=1 \
    -metadata:s:v:0 rotate=0 /o.avi > "$out/FuzzLauncherArgs/convert"
words -i '/p/50%d.JPG' -f image2 -pix_fmt rgb24 '/p/50%d.$tmp$.bmp' \
    > "$out/FuzzLauncherArgs/image"
words --source --frame 20 --deinterlace --type 7 movie.mp4 out.bmp \
    > "$out/FuzzRenderArgs/source"
words --save --profile 1 movie.mp4 saved.mp4 > "$out/FuzzRenderArgs/save"
words --track --back --frame 12 --rect 10,20,110,220 movie.mp4 > "$out/FuzzRenderArgs/track"
words --help > "$out/FuzzRenderArgs/help"

# Probe answers: width, height, pixel aspect, rotation.
words 720 480 0.889 "" > "$out/FuzzReshape/anamorphic"
words 1080 1920 1.000 90.000 > "$out/FuzzReshape/phone"
words 641 361 "" "" > "$out/FuzzReshape/odd"

# Every command template of the shipped profiles.
n=0
grep -i '^COMMAND[0-9]*=' "$src/resources/profile_x64.ini" | cut -d= -f2- | while IFS= read -r line; do
    n=$((n + 1))
    printf '%s' "$line" > "$out/FuzzProfileTemplate/profile-$n"
done
