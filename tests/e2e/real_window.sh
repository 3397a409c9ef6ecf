#!/usr/bin/env bash
# Drives the real player on an X server with xdotool, as a user would: it starts on the demo
# soundtrack with SDL's disk driver capturing the sound, the second line is double-clicked,
# playback is paused and resumed, the track is saved through the real Save As dialog, and
# Exit ends the program. Then the saved file must hold the track's module byte for byte, and
# the captured sound must hold the first track, then the second from its start, a silence
# while paused, and the second track going on where it paused.
set -euo pipefail
build=$(realpath "$1")
here=$(dirname "$(realpath "$0")")
work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    if [ -n "${KEEP_WORK:-}" ]; then echo "kept $work"; else rm -rf "$work"; fi
}
trap cleanup EXIT
fail() { echo "real-window test: $*" >&2; exit 1; }

# shellcheck source=xsession.sh
source "$here/xsession.sh"
start_xserver

# The reference: the second demo track from its start, in an archive that lists it first.
mkdir -p "$work/modules" "$work/ref" "$work/run"
mapfile -t tracks < <(/usr/bin/python3 "$here/soundtrack.py" extract "$build/demo/marivenn.dat" "$work/modules")
IFS=$'\t' read -r name1 title1 <<<"${tracks[0]}"
IFS=$'\t' read -r name2 title2 <<<"${tracks[1]}"
"$build/marivenn-pack" -o "$work/ref/marivenn.dat" \
    "$work/modules/$name2" "$title2" "$work/modules/$name1" "$title1" >/dev/null
start_player "$build/marivenn" "$work/ref" "$work/ref.raw"
sleep 6
press "$window" Escape
wait_exit "$player"

# The run itself.
cp "$build/demo/marivenn.dat" "$work/run/"
start_player "$build/marivenn" "$work/run" "$work/run.raw"
sleep 2
# Line 0 is selected and the list has the focus when the window opens. Moving the selection
# down one line repaints exactly the first two lines, which gives their place and height.
import -window "$window" "$work/before.png"
press "$window" Down
sleep 0.5
import -window "$window" "$work/after.png"
read -r top height left width < <(/usr/bin/python3 "$here/changed_area.py" "$work/before.png" "$work/after.png") \
    || fail "the selection did not move in the track list"
xdotool mousemove --window "$window" $((left + width / 2)) $((top + height * 3 / 4)) \
    click --repeat 2 --delay 60 1
sleep 2
# Tab order: list, Open, Pause, Save, Exit. The double-click left the focus on the list.
press "$window" Tab Tab space   # Pause
sleep 1.5
press "$window" space           # Resume
sleep 2
press "$window" Tab space       # Save
dialog=$(timeout 10 xdotool search --sync --onlyvisible --name '^Save' | head -1)
[ -n "$dialog" ] || fail "the Save As dialog did not appear"
press "$dialog" ctrl+a
xdotool type --delay 5 "$work/saved.mod"
xdotool key Return
for _ in $(seq 100); do [ -f "$work/saved.mod" ] && break; sleep 0.05; done
press "$window" Tab space       # Exit
wait_exit "$player"

cmp "$work/saved.mod" "$work/modules/$name2" || fail "the saved file is not $name2"
/usr/bin/python3 "$here/soundtrack.py" check "$work/run.raw" "$work/ref.raw"
echo "real-window test passed"
