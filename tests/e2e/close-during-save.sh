#!/bin/bash
# End to end on a real X server: a movie is opened through the Open dialog and saved over an
# older file of the same name; while the save runs the main window is closed through the window
# manager. Quorvel asks whether to cancel and quit; Yes ends the program, leaves no working file
# beside the movie and keeps the older file whole.
# Usage: close-during-save.sh <program folder> [folder for the screenshot of a failure]
set -eu

bin=$1
shots=${2:-}
display_offset=37
. "$(dirname "$0")/desktop.sh"

# Long enough that the save is still running when the window is closed.
ffmpeg -nostdin -hide_banner -loglevel error -y -f lavfi \
    -i "testsrc2=size=640x480:rate=25" -f lavfi -i "sine=duration=40" -t 40 \
    -c:v libx264 -preset ultrafast -pix_fmt yuv420p -c:a aac "$work/movie.mp4"
printf '%s' '<effect><mosaic enable="1" type="6" size="10"><area><rect left="160" top="120" right="480" bottom="360" frame="0"/></area></mosaic></effect>' \
    > "$work/movie.\$tmp\$.eft"
printf 'the user'"'"'s file' > "$work/saved.avi"

export LANG=C.UTF-8
start_desktop
start_quorvel
open_through_dialog "$work/movie.mp4"

# The open takes the movie's lock; the window is usable again soon after.
wait_for 1200 test -f "$work/movie.\$tmp\$.lock" || fail "the movie did not open"
sleep 3
xdotool windowactivate --sync "$main"
xdotool key F5
wait_for 100 window_named '^Save' || fail "no Save dialog"
xdotool windowactivate --sync "$(window_named '^Save')"
xdotool type --delay 20 "$work/saved.avi"
xdotool key Return
# The program's one question before it replaces the older file.
sleep 1
xdotool key alt+y

wait_for 200 window_named '^Mosaic in the process' || fail "the save did not start"
sleep 1
# As the window's close button does: the window manager asks the main window, not the progress
# window above it, to close.
wmctrl -i -c "$main"
question=""
for _ in $(seq 50); do
    for id in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
        [ "$id" = "$main" ] && continue
        if xprop -id "$id" WM_TRANSIENT_FOR 2>/dev/null | grep -q window && \
           [ "$(xdotool getwindowname "$id")" = "Quorvel" ]; then
            question=$id
        fi
    done
    [ -n "$question" ] && break
    sleep 0.1
done
[ -n "$question" ] || fail "closing during the save asked nothing"
xdotool windowactivate --sync "$question"
xdotool key alt+y

wait_for 300 sh -c "! kill -0 $quorvel" || fail "Quorvel did not quit after Yes"
[ "$(cat "$work/saved.avi")" = "the user's file" ] || fail "the older file was changed"
left=$(cd "$work" && ls -A | grep -E '\$(tmp|out|bak|new)\$' | grep -v '\.eft$' || true)
[ -z "$left" ] || fail "files left behind: $left"
echo "closing during the save asked, cancelled and quit; nothing left behind"
