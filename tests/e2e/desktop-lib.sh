# A private desktop for running the built program: Xvfb on a free display, openbox as window
# manager and trayer as notification area in a panel along the top, plus helpers to find Mozai's
# window and read pixels of the screen. Sourced by the end-to-end scripts; needs bash.

# Screen size and the root window's colour (Xvfb -wr: white), which shows wherever the shaped
# window lets the desktop through.
desktop_width=1024
desktop_height=768
root_colour="255,255,255"

desktop_pids=()

# Starts the desktop; sets DISPLAY. Returns 1 when it cannot start. Xvfb picks a free display
# itself and names it, so that desktops started side by side never share one; it must not reset
# when its last client leaves, or the window manager and tray starting then find no display.
desktop_start() {
    local named i lock
    named=$(mktemp)
    # Two servers looking for a display at the same moment wait seconds on each other's lock
    # files; one at a time they do not. The server must not inherit the lock.
    exec {lock}>"${TMPDIR:-/tmp}/mozai-desktop-start.lock"
    flock -w 30 "$lock"
    Xvfb -displayfd 3 -screen 0 "${desktop_width}x${desktop_height}x24" -nolisten tcp -wr -noreset \
        3>"$named" {lock}>&- >/dev/null 2>&1 &
    desktop_pids+=($!)
    for i in $(seq 100); do
        [ -s "$named" ] && break
        sleep 0.05
    done
    exec {lock}>&-
    export DISPLAY=":$(head -n 1 "$named")"
    rm -f "$named"
    if [ "$DISPLAY" = ":" ] || ! xdpyinfo >/dev/null 2>&1; then
        desktop_stop
        return 1
    fi
    openbox >/dev/null 2>&1 &
    desktop_pids+=($!)
    for i in $(seq 600); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && break
        sleep 0.05
    done
    if ! kill -0 "${desktop_pids[1]}" 2>/dev/null; then
        echo "openbox did not start" >&2
        desktop_stop
        return 1
    fi
    if ! tray_start; then
        echo "trayer did not start: $(xprop -root _NET_WORKAREA 2>&1)" >&2
        desktop_stop
        return 1
    fi
    sleep 0.3
    return 0
}

# Starts trayer in a 24-pixel panel along the top that windows keep clear of; $tray_pid is its
# process. It shows its panel once its notification area is set up; the panel's strut is set
# here, since trayer's own sometimes comes too early for the window manager. On a busy machine
# trayer now and then never shows its panel: it is then started again, three times at most.
tray_start() {
    local attempt panel start
    for attempt in 1 2 3; do
        trayer --edge top --align right --widthtype pixel --width 120 --height 24 \
            >/dev/null 2>&1 &
        tray_pid=$!
        desktop_pids+=($tray_pid)
        panel=""
        start=$SECONDS
        while [ $((SECONDS - start)) -lt 10 ]; do
            [ -z "$panel" ] && panel=$(xwininfo -root -tree 2>/dev/null |
                awk '/"panel": \("panel" "trayer"\)/{print $1}')
            if [ -n "$panel" ] && xwininfo -id "$panel" 2>/dev/null | grep -q IsViewable; then
                xprop -id "$panel" -f _NET_WM_STRUT_PARTIAL 32c -set _NET_WM_STRUT_PARTIAL \
                    "0, 0, 24, 0, 0, 0, 0, 0, $((desktop_width - 120)), $((desktop_width - 1)), 0, 0"
                xprop -root _NET_WORKAREA 2>/dev/null | grep -q '= 0, 24,' && return 0
            fi
            sleep 0.05
        done
        kill "$tray_pid" 2>/dev/null
        wait "$tray_pid" 2>/dev/null
    done
    return 1
}

tray_stop() {
    kill "$tray_pid" 2>/dev/null
    wait "$tray_pid" 2>/dev/null
    while [ -n "$(xwininfo -root -tree 2>/dev/null | grep '"panel": ("panel" "trayer")')" ]; do
        sleep 0.05
    done
}

# The usable area of the screen, without the panel: "x y width height".
work_area() {
    xprop -root _NET_WORKAREA | sed 's/.*= //; s/,//g' | cut -d' ' -f1-4
}

desktop_stop() {
    local pid
    for pid in "${desktop_pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    for pid in "${desktop_pids[@]}"; do
        wait "$pid" 2>/dev/null || true
    done
    desktop_pids=()
}

# The id of Mozai's visible main window, waiting up to $1 tenths of a second (default 100);
# empty when there is none.
mozai_window() {
    local i id
    for i in $(seq "${1:-100}"); do
        id=$(xdotool search --onlyvisible --name '^Mozai$' 2>/dev/null | tail -n 1)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# "x y width height" of a window on the screen.
window_rect() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF}
                             /Width:/{w=$NF} /Height:/{h=$NF} END{print x, y, w, h}'
}

# Saves the screen to a file.
screenshot() {
    import -window root "$1"
}

# "r,g,b" of pixel (x, y) of a saved screenshot.
pixel() {
    /usr/bin/convert "$1" -crop "1x1+$2+$3" -depth 8 txt:- |
        sed -n '2s/^[^(]*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1,\2,\3/p'
}

# A checksum of the pixels of a rectangle "x y w h" of a saved screenshot.
area_sum() {
    /usr/bin/convert "$1" -crop "${4}x${5}+${2}+${3}" +repage -depth 8 rgb:- | md5sum |
        cut -d' ' -f1
}

# Whether the pointer, moved to screen point (x, y), is over window $3 or over the frame the
# window manager put around it; the X server decides, so a cut-away pixel is not the window.
pointer_over() {
    local under parent
    xdotool mousemove "$1" "$2"
    sleep 0.1
    under=$(xdotool getmouselocation --shell | sed -n 's/^WINDOW=//p')
    parent=$(xwininfo -children -id "$3" | awk '/Parent window id/ && !/root window/{print $4}')
    [ "$under" = "$3" ] || { [ -n "$parent" ] && [ "$(printf '%d' "$parent")" = "$under" ]; }
}

# "r,g,b" pixels of colour $6 inside rectangle ($2, $3, $4 x $5) of a saved screenshot.
count_colour() {
    /usr/bin/convert "$1" -crop "${4}x${5}+${2}+${3}" +repage -depth 8 txt:- | grep -c "^[^ ]* ($6) "
}

# --- Running checks against the program ------------------------------------------------------

# Prepares a test run of the Mozai executable $1: checks the tools, makes a scratch folder
# ($work, with Mozai's data folder as the working directory), starts the desktop, and stops
# everything at exit. Exits 77 (a skip for ctest) when there is no Xvfb.
e2e_begin() {
    mozai=$(realpath "$1")
    if ! command -v Xvfb >/dev/null 2>&1; then
        echo "SKIP: Xvfb is not installed"
        exit 77
    fi
    local tool
    for tool in openbox trayer xdotool xdpyinfo xprop xwininfo import /usr/bin/convert md5sum; do
        if ! command -v "$tool" >/dev/null 2>&1; then
            echo "missing tool: $tool (scripts/install-deps.sh installs it)" >&2
            exit 1
        fi
    done
    work=$(mktemp -d)
    mozai_pid=""
    failures=0
    trap e2e_cleanup EXIT
    trap 'exit 1' INT TERM HUP
    export QT_QPA_PLATFORM=xcb
    unset WAYLAND_DISPLAY
    export XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/share
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    # Mozai's data folder, where it runs whatever folder it is started from.
    mkdir -p "$XDG_DATA_HOME/mozai"
    cd "$XDG_DATA_HOME/mozai" || exit 1
    if ! desktop_start; then
        echo "Xvfb did not start" >&2
        exit 1
    fi
    echo "desktop on $DISPLAY"
}

e2e_cleanup() {
    if [ -n "$mozai_pid" ]; then
        kill -KILL "$mozai_pid" 2>/dev/null || true
        wait "$mozai_pid" 2>/dev/null || true
    fi
    desktop_stop
    rm -rf "$work"
}

# Reports the result of the checks and Mozai's output when one failed; the script's status.
e2e_end() {
    if [ "$failures" -gt 0 ]; then
        echo "$failures check(s) failed; Mozai's output:"
        cat "$work/mozai.log"
        exit 1
    fi
    echo "all checks passed"
    exit 0
}

# check "what" command args...: runs the command and counts a failure.
check() {
    local what=$1
    shift
    if "$@"; then
        echo "ok   - $what"
    else
        echo "FAIL - $what"
        failures=$((failures + 1))
    fi
}
same() { [ "$1" = "$2" ] || { echo "       got '$1', expected '$2'"; return 1; }; }
differ() { [ "$1" != "$2" ] || { echo "       both are '$1'"; return 1; }; }
more_than() { [ "$1" -gt "$2" ] || { echo "       $1 is not above $2"; return 1; }; }
not() { ! "$@"; }

# Starts Mozai in the background; $mozai_pid is its process.
launch_mozai() {
    "$mozai" >>"$work/mozai.log" 2>&1 &
    mozai_pid=$!
}

# Starts Mozai and waits for its main window ($win) to show the cube at its centre, the desktop
# at its corner.
start_mozai() {
    local i wx wy ww wh
    launch_mozai
    win=$(mozai_window) || { echo "Mozai showed no window" >&2; cat "$work/mozai.log" >&2; exit 1; }
    for i in $(seq 100); do
        read -r wx wy ww wh <<<"$(window_rect "$win")"
        screenshot "$work/started.png"
        [ "$(pixel "$work/started.png" $((wx + 2)) $((wy + 2)))" = "$root_colour" ] &&
            [ "$(pixel "$work/started.png" $((wx + ww / 2)) $((wy + wh / 2)))" != "$root_colour" ] &&
            return 0
    done
    echo "Mozai's window shows no shaped cube" >&2
    exit 1
}

# A checksum of the rectangle "x y w h" of the screen once it has stopped changing.
settled_sum() {
    settled_area_sum "" "$@"
}

# Ends Mozai with SIGTERM; $status is its exit status.
stop_mozai() {
    kill -TERM "$mozai_pid"
    wait "$mozai_pid"
    status=$?
    mozai_pid=""
}

# The screen position of Mozai's tray icon, "x y", waiting up to 3 s for it to be embedded;
# nothing, and the windows of that name shown, when there is none. Its window is named "mozai"
# (so is the banner, but that is larger); the main window is "Mozai".
tray_icon_centre() {
    local i found
    for i in $(seq 30); do
        found=$(xwininfo -root -tree | awk '/"mozai": \("mozai" "mozai"\) +[0-9]+x[0-9]+/{
            split($(NF - 1), s, "x"); split($NF, p, "+")
            if (s[1] <= 64) { print p[2] + int(s[1] / 2), p[3] + int(s[2] / 2); exit } }')
        [ -n "$found" ] && { echo "$found"; return 0; }
        sleep 0.1
    done
    xwininfo -root -tree | grep -i '"mozai"' >&2
    return 1
}

# Whether a popup menu of Mozai (a window of its class other than $win and the 340 x 130
# banner, over 100 pixels each way) shows within $1 tenths of a second (default 30); its
# rectangle is then $popup_rect.
popup_shown() {
    local i id
    for i in $(seq "${1:-30}"); do
        for id in $(xdotool search --onlyvisible --classname mozai 2>/dev/null); do
            [ "$id" = "$win" ] && continue
            popup_rect=$(window_rect "$id")
            read -r _ _ pw ph <<<"$popup_rect"
            if [ "$pw" -gt 100 ] && [ "$ph" -gt 100 ] && [ "$pw $ph" != "340 130" ]; then
                return 0
            fi
        done
        sleep 0.1
    done
    return 1
}

# Whether the popup is gone within 3 s.
popup_gone() {
    local i
    for i in $(seq 30); do
        popup_shown 1 || return 0
    done
    return 1
}

# Whether a popup shows, and goes again on Escape.
popup_opens_and_closes() {
    popup_shown || return 1
    xdotool key Escape
    popup_gone || { echo "       the popup stays up"; return 1; }
}

# A left drag on the screen from ($1, $2) in $5 steps of ($3, $4) pixels.
drag_by() {
    local step
    xdotool mousemove "$1" "$2" mousedown 1
    for step in $(seq 1 "$5"); do
        xdotool mousemove $(($1 + $3 * step)) $(($2 + $4 * step))
        sleep 0.03
    done
    xdotool mouseup 1
}

# The checksum of the screen rectangle "$2 $3 $4 $5" once it differs from $1 and two
# screenshots in a row agree (up to 10 s): what a drag or an animation left on the screen.
settled_area_sum() {
    local i last="" sum
    for i in $(seq 50); do
        screenshot "$work/settled.png"
        sum=$(area_sum "$work/settled.png" "$2" "$3" "$4" "$5")
        [ "$sum" != "$1" ] && [ "$sum" = "$last" ] && break
        last=$sum
        sleep 0.2
    done
    echo "$sum"
}

# history.ini with its line ends shown as R and N.
history_text() {
    [ -f history.ini ] && tr '\r\n' 'RN' <history.ini
}
