#!/bin/bash
# The main window's outer rectangle round-trips through the settings file: started and closed
# again and again, it opens exactly where it was stored and stores exactly where it is, under a
# window manager (openbox) and without one, also at the screen's left edge and after the user
# moved it there.
# usage: window-placement.sh PROGRAM_FOLDER
set -euo pipefail

program="${1:?usage: $0 PROGRAM_FOLDER}/Quorvel"
for tool in Xvfb openbox xdotool xprop xwininfo; do
    command -v "$tool" >/dev/null || { echo "missing $tool (scripts/install-deps.sh)"; exit 1; }
done

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

export XDG_CONFIG_HOME="$work/config"
ini="$XDG_CONFIG_HOME/Velmarro/$(basename "$(dirname "$program")")/Quorvel.ini"
failures=0

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

start_display() {
    Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
    pids+=($!)
    for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
    export DISPLAY=":$(cat "$work/display")"
}

start_window_manager() {
    openbox >/dev/null 2>&1 &
    pids+=($!)
    # Managed from here on: the manager announces itself on the root window.
    for _ in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && return
        sleep 0.05
    done
    echo "openbox did not start"
    exit 1
}

write_settings() {
    mkdir -p "$(dirname "$ini")"
    printf '[Window]\nPosX=%s\nPosY=%s\nWidth=%s\nHeight=%s\n' "$@" >"$ini"
}

stored() {
    local x y w h
    x=$(sed -n 's/^PosX=//p' "$ini")
    y=$(sed -n 's/^PosY=//p' "$ini")
    w=$(sed -n 's/^Width=//p' "$ini")
    h=$(sed -n 's/^Height=//p' "$ini")
    echo "$x $y $w $h"
}

# The outer rectangle on screen: the client area and the frame the manager put around it.
on_screen() {
    local window=$1 info x y w h extents left=0 right=0 top=0 bottom=0
    info=$(xwininfo -id "$window")
    x=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
    y=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
    w=$(sed -n 's/.*Width: *//p' <<<"$info")
    h=$(sed -n 's/.*Height: *//p' <<<"$info")
    extents=$(xprop -id "$window" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= *//p' | tr -d ',')
    if [ -n "$extents" ]; then read -r left right top bottom <<<"$extents"; fi
    echo "$((x - left)) $((y - top)) $((w + left + right)) $((h + top + bottom))"
}

# Starts the program and waits until its window is on screen at the expected rectangle (the
# frame may come a moment after the window); sets program_pid and window.
start_program() {
    local expected=$1
    "$program" >"$work/program.log" 2>&1 &
    program_pid=$!
    window=$(xdotool search --sync --onlyvisible --name '^Quorvel$' | head -1)
    for _ in $(seq 200); do
        [ "$(on_screen "$window")" = "$expected" ] && break
        sleep 0.05
    done
}

close_program() {
    local window=$1 managed=$2
    if [ "$managed" = yes ]; then
        xdotool windowactivate --sync "$window" key --clearmodifiers alt+F4
    else
        # No manager: focus it and leave through File, Exit.
        xdotool windowfocus --sync "$window"
        xdotool key --clearmodifiers alt+f
        sleep 0.3
        xdotool key x
    fi
    for _ in $(seq 100); do kill -0 "$program_pid" 2>/dev/null || break; sleep 0.05; done
    if kill -0 "$program_pid" 2>/dev/null; then
        fail "the program did not close"
        kill "$program_pid"
    fi
    wait "$program_pid" || fail "the program ended with an error: $(cat "$work/program.log")"
}

# Four starts from the stored rectangle: each opens there and stores it unchanged.
round_trip() {
    local name=$1 managed=$2 expected
    expected=$(stored)
    for start in 1 2 3 4; do
        start_program "$expected"
        [ "$(on_screen "$window")" = "$expected" ] ||
            fail "$name, start $start: on screen $(on_screen "$window"), stored $expected"
        close_program "$window" "$managed"
        [ "$(stored)" = "$expected" ] || fail "$name, start $start: stored $(stored), was $expected"
        echo "$name, start $start: $(stored)"
    done
}

start_display
write_settings 0 50 1000 700
round_trip "no window manager" no

start_window_manager
write_settings 100 100 1000 700
round_trip "openbox" yes
write_settings 0 300 900 650
round_trip "openbox, left edge" yes

# Moved by the user so that the frame touches the left edge.
write_settings 300 200 1000 700
start_program "300 200 1000 700"
read -r left _ top _ <<<"$(xprop -id "$window" _NET_FRAME_EXTENTS | sed -n 's/.*= *//p' | tr -d ',')"
xdotool windowmove --sync "$window" "$left" $((150 + top))
sleep 0.3
moved=$(on_screen "$window")
close_program "$window" yes
[ "$moved" = "0 150 1000 700" ] || fail "the move went to $moved"
[ "$(stored)" = "$moved" ] || fail "moved to $moved, stored $(stored)"
round_trip "openbox, moved to the left edge" yes

# Made as small as the manager allows: 800 by 600 with the frame, and stored so.
start_program "0 150 1000 700"
xdotool windowsize --sync "$window" 100 100 || true
sleep 0.3
read -r _ _ width height <<<"$(on_screen "$window")"
close_program "$window" yes
[ "$width $height" = "800 600" ] || fail "made smaller: $width by $height"
read -r _ _ width height <<<"$(stored)"
[ "$width $height" = "800 600" ] || fail "stored after making it smaller: $width by $height"

if [ "$failures" -ne 0 ]; then
    echo "$failures failure(s)"
    exit 1
fi
echo "window placement round-trips"
