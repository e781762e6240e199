#!/bin/bash
# End to end on a real X server with a window manager, read back from screenshots by OCR:
# in the English interface the opened "Mosaic Type:" list names all ten effects in English; in
# the Japanese interface the question asked when an edited movie is closed, its text and its
# buttons, is Japanese. Usage: interface-language-screenshots.sh <program folder> [shots folder]
set -eu

bin=$1
shots=${2:-}
display_offset=61
. "$(dirname "$0")/desktop.sh"

# The text in a part of the screen (width x height + x + y), read in language $2.
read_screen() {
    import -window root "$work/screen.png"
    convert "$work/screen.png" -crop "$1" +repage -filter point -resize 400% -colorspace Gray \
        "$work/part.png"
    tesseract "$work/part.png" - -l "$2" --psm 6 2>/dev/null
}

# Text without blanks, for comparing what OCR read.
squeezed() {
    tr -d ' \t\n'
}

ffmpeg -nostdin -hide_banner -loglevel error -y -f lavfi -i "testsrc2=size=320x240:rate=25" \
    -frames:v 25 -c:v libx264 -pix_fmt yuv420p "$work/movie.mp4"
start_desktop

# English: find the list right of its label in the bars, open it and read its entries.
export LANG=C.UTF-8
start_quorvel
bars=$(read_screen "${WIDTH}x120+${X}+${Y}" eng >/dev/null; tesseract "$work/part.png" - -l eng tsv 2>/dev/null)
read -r left top width height < <(printf '%s\n' "$bars" | awk -F'\t' '$12=="Type:" {print $7, $8, $9, $10; exit}') ||
    fail "no \"Mosaic Type:\" label in the bars"
list_x=$((X + (left + width) / 4 + 60))
list_y=$((Y + (top + height / 2) / 4))
xdotool mousemove "$list_x" "$list_y" click 1
sleep 1
entries=$(read_screen "360x520+$((list_x - 100))+$((list_y - 220))" eng | squeezed)
for name in "Pixelate, extra large" "Pixelate, large" "Pixelate, medium" "Pixelate, small" \
    "Frosted glass" "Invert colours" "Black fill" "Blur, strong" "Blur, medium" "Blur, weak"; do
    case "$entries" in
    *"$(printf '%s' "$name" | squeezed)"*) ;;
    *) fail "the type list does not read \"$name\": $entries" ;;
    esac
done
xdotool key Escape
kill "$quorvel"
wait "$quorvel" 2>/dev/null || true

# Japanese: open the movie, draw a fixed area, close the window and read the question (its
# first line sits too close to the icon for OCR; the rest and the buttons are read).
export LANG=ja_JP.UTF-8
start_quorvel
open_through_dialog "$work/movie.mp4"
wait_for 300 test -f "$work/movie.\$tmp\$.lock" || fail "the movie did not open"
sleep 3
xdotool mousemove $((X + WIDTH / 2 - 100)) $((Y + HEIGHT / 2 - 60)) mousedown 1 \
    mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) \
    mousemove $((X + WIDTH / 2 + 50)) $((Y + HEIGHT / 2 + 40)) mouseup 1
sleep 1
wmctrl -i -c "$main"
sleep 1.5
box=$(xdotool getactivewindow)
[ "$box" != "$main" ] || fail "closing the edited movie asked nothing"
eval "$(xdotool getwindowgeometry --shell "$box")"
[ -n "$shots" ] && import -window root "$shots/japanese-close-question.png"
question=$(read_screen "${WIDTH}x${HEIGHT}+${X}+${Y}" jpn | squeezed)
for text in "処理を" "はい" "いいえ" "キャンセル"; do
    case "$question" in
    *"$text"*) ;;
    *) fail "the close question does not read \"$text\": $question" ;;
    esac
done
# The buttons are Qt's own: no English caption is left among them.
english=$(tesseract "$work/part.png" - -l eng 2>/dev/null)
if printf '%s' "$english" | grep -qiwE 'yes|no|cancel'; then
    fail "English buttons in the Japanese question: $english"
fi
echo "English type list and Japanese close question read back from the screen"
