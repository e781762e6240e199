#!/bin/bash
# End to end on a real X server: a movie with a textured square crossing a green picture is
# opened, a rectangle is recorded on the square in moving mosaic mode and T follows it. A later
# frame then shows the mosaic where the square has gone; Ctrl+Z takes the whole run back, and
# the same frame shows the square bare again. Screenshots of both are compared in that place.
# Usage: track-and-undo.sh <program folder> [folder for the screenshot of a failure]
set -eu

bin=$1
shots=${2:-}
display_offset=53
. "$(dirname "$0")/desktop.sh"

# The square is 64 pixels wide at (20 + 3n, 88) on frame n of 320 x 240; an H.264 movie with
# B-frames, the kind the program reads in place, without a working video to track on.
ffmpeg -nostdin -hide_banner -loglevel error -y -f lavfi -i "color=c=0x00a000:size=320x240:rate=25" \
    -f lavfi -i "testsrc=size=64x64:rate=25" -filter_complex "[0][1]overlay=x='20+3*n':y=88" \
    -frames:v 60 -c:v libx264 -bf 2 -crf 12 -pix_fmt yuv420p "$work/clip.mp4"

export LANG=C.UTF-8
start_desktop
start_quorvel
open_through_dialog "$work/clip.mp4"

shot() {
    import -window root "$work/$1.png"
}
# The picture: the green part of the screen, bounding box W H X Y.
for _ in $(seq 30); do
    shot start
    [ "$(convert "$work/start.png" -fuzz 12% -fill black +opaque '#00a000' -fill white \
        -opaque '#00a000' -format '%[fx:mean>0.01]' info:)" = 1 ] && break
    sleep 1
done
read -r pw ph px py < <(convert "$work/start.png" -fuzz 12% -fill black +opaque '#00a000' \
    -fill white -opaque '#00a000' -trim -format '%w %h %X %Y\n' info: | tr -d '+')
[ "$pw" -gt 100 ] || fail "no picture on the screen"
xdotool windowactivate --sync "$main"
# Picture pixels to the screen.
sx() { echo $((px + $1 * pw / 320)); }
sy() { echo $((py + $1 * ph / 240)); }

xdotool key F3
sleep 0.5
xdotool mousemove "$(sx 52)" "$(sy 120)"
sleep 0.3
xdotool mousedown 1
sleep 0.2
xdotool mouseup 1
sleep 0.5
xdotool key t
sleep 4
# The run ends on the last frame; frame 20 is twenty steps from the first.
xdotool key Home
sleep 0.3
for _ in $(seq 20); do
    xdotool key Right
    sleep 0.1
done
sleep 0.5
shot tracked
xdotool key ctrl+z
sleep 1
shot undone

# Where the square is on the frame shown: the mosaic changes most of it, the undo none of it.
square_x=$(sx 95)
square_y=$(sy 95)
side=$((50 * pw / 320))
region="${side}x${side}+${square_x}+${square_y}"
changed=$(compare -metric AE -fuzz 8% "$work/tracked.png[$region]" "$work/undone.png[$region]" null: 2>&1 || true)
echo "pixels changed in the square's place by the undo: $changed of $((side * side))"
[ "${changed%%.*}" -gt $((side * side / 5)) ] || fail "no mosaic followed the square to a later frame"
# Far from the square nothing changed.
corner="${side}x${side}+$(sx 250)+$(sy 10)"
still=$(compare -metric AE -fuzz 8% "$work/tracked.png[$corner]" "$work/undone.png[$corner]" null: 2>&1 || true)
[ "${still%%.*}" -lt $((side * side / 20)) ] || fail "the undo changed the picture away from the square"
echo "tracked, stepped on and undone as one step"
