#!/usr/bin/env bash
# Installs the built .deb on this machine with apt (which brings in its dependencies), runs
# the installed program on its X server from a folder holding the installed demo soundtrack
# with SDL's disk driver capturing, checks that the window appeared and the sound is real,
# ends it with Esc and removes the package again. CI runs it on its fresh machine after the
# tests; it changes the system, so the test command does not.
set -euo pipefail
cd "$(dirname "$0")/.."
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
(cd build && cpack >/dev/null)
deb=$(realpath build/package/marivenn_*_amd64.deb)
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q "$deb" >/dev/null

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get remove -y -q marivenn >/dev/null || true
}
trap cleanup EXIT
fail() { echo "package check: $*" >&2; exit 1; }

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(cat "$work/display")"
unset QT_QPA_PLATFORM

cp /usr/share/marivenn/demo/marivenn.dat "$work/"
(cd "$work" && SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/out.raw" exec marivenn) &
player=$!
pids+=("$player")
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Marivenn Music Player$' | head -1)
[ -n "$window" ] || fail "the installed player showed no window"
sleep 2
xdotool windowfocus "$window"
sleep 0.2
xdotool key Escape
for _ in $(seq 200); do kill -0 "$player" 2>/dev/null || break; sleep 0.05; done
kill -0 "$player" 2>/dev/null && fail "the installed player did not end on Esc"
rms=$(sox -t raw -r 44100 -e signed -b 16 -c 2 "$work/out.raw" -n stat 2>&1 | awk '/RMS +amplitude/ { print $3 }')
awk -v rms="$rms" 'BEGIN { exit !(rms > 0.01) }' || fail "the installed player made no sound (RMS $rms)"
echo "package check: $(basename "$deb") installed, played the demo (RMS $rms) and ended on Esc"
