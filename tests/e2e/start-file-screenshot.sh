#!/bin/sh
# End to end on a real X server: "Quorvel /O movie.mp4" under Xvfb with a window manager opens
# the movie after the window shows, restores the black-filled fixed area kept in the progress
# file beside its working file, and the screenshot shows the picture with the black rectangle
# where the area lies. Usage: start-file-screenshot.sh <program folder> [screenshot.png]
set -eu

bin=$1
keep=${2:-}
. "$(dirname "$0")/desktop.sh"

# A green 640 x 480 movie; the progress file fills the middle quarter of its picture with black.
ffmpeg -nostdin -hide_banner -loglevel error -y -f lavfi \
    -i "color=c=0x00ff00:size=640x480:rate=25" -frames:v 30 -c:v libx264 -pix_fmt yuv420p \
    "$work/movie.mp4"
printf '%s' '<effect><mosaic enable="1" type="6" size="10"><area><rect left="160" top="120" right="480" bottom="360" frame="0"/></area></mosaic></effect>' \
    > "$work/movie.\$tmp\$.eft"

export LANG=C.UTF-8
start_desktop

"$bin/Quorvel" /O "$work/movie.mp4" >"$work/quorvel.log" 2>&1 &
quorvel=$!
pids="$quorvel $pids"

# The picture is shown once the movie is open (its lock is taken) and the first frame is drawn.
shot="$work/shot.ppm"
found=""
for _ in $(seq 60); do
    sleep 1
    kill -0 "$quorvel" 2>/dev/null || fail "Quorvel ended: $(cat "$work/quorvel.log")"
    [ -f "$work/movie.\$tmp\$.lock" ] || continue
    import -window root "ppm:$shot" 2>/dev/null || continue
    if python3 - "$shot" <<'PY'
import sys

def read_ppm(path):
    data = open(path, 'rb').read()
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b'#':
            pos = data.index(b'\n', pos)
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    width, height, maxval = int(fields[1]), int(fields[2]), int(fields[3])
    pixels = data[pos + 1:]
    step = 2 if maxval > 255 else 1
    def pixel(x, y):
        at = (y * width + x) * 3 * step
        return tuple(pixels[at + i * step] for i in range(3))
    return width, height, pixel

width, height, pixel = read_ppm(sys.argv[1])
green = lambda p: p[1] > 200 and p[0] < 60 and p[2] < 60
black = lambda p: max(p) < 30
xs, ys = [], []
for y in range(0, height, 2):
    for x in range(0, width, 2):
        if green(pixel(x, y)):
            xs.append(x)
            ys.append(y)
if len(xs) < 1000:
    sys.exit(1)
left, right, top, bottom = min(xs), max(xs) + 2, min(ys), max(ys) + 2
w, h = right - left, bottom - top
ok = True
def expect(name, condition):
    global ok
    if not condition:
        print('picture (%d, %d)-(%d, %d): %s' % (left, top, right, bottom, name))
        ok = False
expect('4:3 picture', abs(w * 3 - h * 4) <= 8)
cx, cy = left + w // 2, top + h // 2
expect('black middle', black(pixel(cx, cy)))
for fx, fy in ((0.30, 0.30), (0.70, 0.70), (0.30, 0.70), (0.70, 0.30)):
    expect('black at %.2f, %.2f' % (fx, fy), black(pixel(left + int(w * fx), top + int(h * fy))))
for fx, fy in ((0.20, 0.5), (0.80, 0.5), (0.5, 0.20), (0.5, 0.80), (0.05, 0.05)):
    expect('green at %.2f, %.2f' % (fx, fy), green(pixel(left + int(w * fx), top + int(h * fy))))
sys.exit(0 if ok else 2)
PY
    then
        found=yes
        break
    fi
done
if [ -n "$keep" ]; then
    import -window root "$keep" 2>/dev/null || true
fi
[ -n "$found" ] || fail "no picture with the black area in the middle; log: $(cat "$work/quorvel.log")"
echo "picture shown with the fixed area"
