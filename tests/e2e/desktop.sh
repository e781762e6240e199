# What the desktop tests share, sourced by them after setting bin (the program folder) and
# shots (a folder for the screenshot of a failure, or empty): a work folder that goes at the
# end with every process started, an X server with a window manager, and waiting for windows.

work=$(mktemp -d)
display=:$((90 + ($$ + ${display_offset:-0}) % 100))
pids=""

cleanup() {
    for pid in $pids; do
        kill "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT INT TERM

fail() {
    echo "FAIL: $*" >&2
    if [ -n "${shots:-}" ]; then
        import -window root "$shots/$(basename "$0" .sh).png" 2>/dev/null || true
    fi
    [ -f "$work/quorvel.log" ] && cat "$work/quorvel.log" >&2
    exit 1
}

# Waits up to $1 tenths of a second for the command after it to succeed.
wait_for() {
    local tenths=$1
    shift
    for _ in $(seq "$tenths"); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}

# The first visible window whose title matches; fails when there is none.
window_named() {
    local id
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1)
    [ -n "$id" ] && echo "$id"
}

# Xvfb and openbox on a display of this test's own; the program's settings in the work folder.
start_desktop() {
    export XDG_CONFIG_HOME="$work/config" SDL_AUDIODRIVER=dummy DISPLAY=$display
    unset LC_ALL LC_MESSAGES QT_QPA_PLATFORM
    Xvfb "$display" -screen 0 1600x1200x24 -nolisten tcp >/dev/null 2>&1 &
    pids="$pids $!"
    wait_for 50 xdpyinfo || fail "no X server"
    openbox >/dev/null 2>&1 &
    pids="$pids $!"
    sleep 1
}

# Starts Quorvel with the given arguments; main is its window, X Y WIDTH HEIGHT its place.
start_quorvel() {
    "$bin/Quorvel" "$@" >"$work/quorvel.log" 2>&1 &
    quorvel=$!
    pids="$quorvel $pids"
    wait_for 200 window_named '^Quorvel' || fail "no main window"
    main=$(window_named '^Quorvel')
    xdotool windowactivate --sync "$main"
    eval "$(xdotool getwindowgeometry --shell "$main")"
}

# Opens path through the Open dialog (F1) and waits for its working sound or video.
open_through_dialog() {
    xdotool windowactivate --sync "$main"
    xdotool key F1
    # Its title is in the interface's language: it is the window that takes the focus.
    wait_for 100 sh -c "[ \"\$(xdotool getactivewindow)\" != $main ]" || fail "no Open dialog"
    sleep 0.5
    xdotool type --delay 10 "$1"
    xdotool key Return
}
