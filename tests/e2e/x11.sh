# Shared by the viewer checks: an X server of their own, and closing the viewer with Escape.
# Sourced; expects $travail to exist.

# Starts Xvfb on a display it finds free and points DISPLAY at it. Xvfb writes the number once
# it takes connections; a busy machine may need many seconds for that, so wait up to a minute,
# and say so if it never comes up rather than failing later on a display nobody serves.
demarre_xvfb() {
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp \
        3>"$travail/affichage" >"$travail/xvfb.log" 2>&1 &
    local xvfb=$!
    for _ in $(seq 600); do
        [ -s "$travail/affichage" ] && break
        kill -0 "$xvfb" 2>/dev/null || break
        sleep 0.1
    done
    if ! [ -s "$travail/affichage" ] || ! DISPLAY=:$(<"$travail/affichage") xdpyinfo >/dev/null 2>&1; then
        echo "Xvfb did not come up:"
        cat "$travail/xvfb.log"
        exit 1
    fi
    export DISPLAY=:$(<"$travail/affichage")
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
