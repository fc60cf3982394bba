# Shared by the viewer checks: an X server of their own, and closing the viewer with Escape.
# Sourced; expects $travail to exist.

# Starts Xvfb on a free-looking display and points DISPLAY at it.
demarre_xvfb() {
    local ecran=:$((90 + RANDOM % 300))
    Xvfb "$ecran" -screen 0 1024x768x24 -nolisten tcp >"$travail/xvfb.log" 2>&1 &
    export DISPLAY=$ecran
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    unset QT_QPA_PLATFORM
}

# Presses Escape with the pointer over the window, then waits for the host to end cleanly.
ferme_par_echap() {
    local fenetre=$1 pid=$2
    eval "$(xdotool getwindowgeometry --shell "$fenetre")"
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 3))
    xdotool windowfocus "$fenetre" 2>/dev/null || true
    xdotool key Escape
    for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    if kill -0 "$pid" 2>/dev/null; then
        echo "Escape did not close the viewer"
        return 1
    fi
    wait "$pid" || { cat "$travail/vitrail.log"; return 1; }
}
