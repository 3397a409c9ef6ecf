# Shared by the scripts that drive the real player on an X server of their own. Source it
# after setting $work (a scratch folder), an array pids=() that the caller's cleanup kills,
# and a function fail MESSAGE.

# Starts a private Xvfb on a free display number and points DISPLAY at it.
start_xserver() {
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
    pids+=($!)
    for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
    [ -s "$work/display" ] || fail "Xvfb did not start"
    export DISPLAY=":$(cat "$work/display")"
    unset QT_QPA_PLATFORM
}

# Runs PROGRAM in FOLDER with SDL's disk driver capturing into RAW and waits for its
# window; sets $player and $window.
start_player() {
    local program=$1 folder=$2 raw=$3
    (cd "$folder" && SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$raw" exec "$program") &
    player=$!
    pids+=("$player")
    window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Marivenn Music Player$' | head -1)
    [ -n "$window" ] || fail "the player window did not appear"
}

# Keys go to window $1 as real key presses (XTEST): Qt ignores keys sent as X events.
press() {
    local target=$1
    shift
    xdotool windowfocus "$target"
    sleep 0.2
    xdotool key --delay 100 "$@"
}

# Waits up to ten seconds for process $1 to end.
wait_exit() {
    for _ in $(seq 200); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.05; done
    fail "the player did not end"
}
