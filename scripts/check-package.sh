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

# shellcheck source=../tests/e2e/xsession.sh
source tests/e2e/xsession.sh
start_xserver

cp /usr/share/marivenn/demo/marivenn.dat "$work/"
start_player marivenn "$work" "$work/out.raw"
sleep 2
press "$window" Escape
wait_exit "$player"
rms=$(sox -t raw -r 44100 -e signed -b 16 -c 2 "$work/out.raw" -n stat 2>&1 | awk '/RMS +amplitude/ { print $3 }')
awk -v rms="$rms" 'BEGIN { exit !(rms > 0.01) }' || fail "the installed player made no sound (RMS $rms)"
echo "package check: $(basename "$deb") installed, played the demo (RMS $rms) and ended on Esc"
