# A private desktop for running the built program: Xvfb on a free display, openbox as window
# manager and trayer as notification area in a panel along the top, plus helpers to find Mozai's
# window and read pixels of the screen. Sourced by the end-to-end scripts; needs bash.
# shellcheck shell=bash

# Screen size and the root window's colour, which shows wherever the shaped window lets the
# desktop through: white (Xvfb -wr), or black (-br) when desktop_root=black is set beforehand.
desktop_width=1024
desktop_height=768
if [ "${desktop_root:-white}" = black ]; then root_flag=-br root_colour="0,0,0"; else
    root_flag=-wr root_colour="255,255,255"
fi

desktop_pids=()
tray_pid=""

# wait_for <seconds> command args...: runs the command until it succeeds, for up to that many
# seconds by the clock, so that a busy machine makes fewer tries rather than a shorter wait. The
# command runs at least once, in this shell, so what it sets stays set.
wait_for() {
    local whole=${1%.*} fraction=${1#*.}
    [ "$fraction" = "$1" ] && fraction=""
    fraction=${fraction}000000
    local deadline=$((${EPOCHREALTIME//[!0-9]/} + 10#$whole * 1000000 + 10#${fraction:0:6}))
    shift
    until "$@"; do
        [ "${EPOCHREALTIME//[!0-9]/}" -lt "$deadline" ] || return 1
        sleep 0.05
    done
}
not() { ! "$@"; }

# Starts the desktop; sets DISPLAY. Returns 1 when it cannot start. Xvfb picks a free display
# itself and names it, so that desktops started side by side never share one; it must not reset
# when its last client leaves, or the window manager and tray starting then find no display.
desktop_start() {
    local named lock
    named=$(mktemp)
    # Two servers looking for a display at the same moment wait seconds on each other's lock
    # files; one at a time they do not. The server must not inherit the lock.
    exec {lock}>"${TMPDIR:-/tmp}/mozai-desktop-start.lock"
    flock -w 30 "$lock"
    Xvfb -displayfd 3 -screen 0 "${desktop_width}x${desktop_height}x24" -nolisten tcp "$root_flag" -noreset \
        3>"$named" {lock}>&- >/dev/null 2>&1 &
    desktop_pids+=($!)
    wait_for 5 test -s "$named"
    exec {lock}>&-
    DISPLAY=":$(head -n 1 "$named")"
    export DISPLAY
    rm -f "$named"
    if [ "$DISPLAY" = ":" ] || ! xdpyinfo >/dev/null 2>&1; then
        echo "Xvfb did not start" >&2
        desktop_stop
        return 1
    fi
    openbox >/dev/null 2>&1 &
    desktop_pids+=($!)
    if ! wait_for 30 window_manager_up; then
        echo "openbox did not start" >&2
        desktop_stop
        return 1
    fi
    if ! tray_start; then
        echo "trayer did not start: $(xprop -root _NET_WORKAREA 2>&1)" >&2
        desktop_stop
        return 1
    fi
}

window_manager_up() {
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window
}

# The id of trayer's panel window; fails when there is none.
tray_panel() {
    xwininfo -root -tree 2>/dev/null | awk '/"panel": \("panel" "trayer"\)/{print $1; found = 1}
                                            END{exit !found}'
}

# Whether trayer's panel shows and windows keep clear of it. Its strut is set here, since
# trayer's own sometimes comes too early for the window manager.
tray_panel_ready() {
    local panel
    panel=$(tray_panel) && xwininfo -id "$panel" 2>/dev/null | grep -q IsViewable || return 1
    xprop -id "$panel" -f _NET_WM_STRUT_PARTIAL 32c -set _NET_WM_STRUT_PARTIAL \
        "0, 0, 24, 0, 0, 0, 0, 0, $((desktop_width - 120)), $((desktop_width - 1)), 0, 0"
    xprop -root _NET_WORKAREA 2>/dev/null | grep -q '= 0, 24,'
}

# Starts trayer in a 24-pixel panel along the top; $tray_pid is its process. It shows its panel
# once its notification area is set up. On a busy machine trayer now and then never shows its
# panel: it is then started again, three times at most.
tray_start() {
    local _
    for _ in 1 2 3; do
        trayer --edge top --align right --widthtype pixel --width 120 --height 24 \
            >/dev/null 2>&1 &
        tray_pid=$!
        wait_for 10 tray_panel_ready && return 0
        tray_stop
    done
    return 1
}

tray_stop() {
    [ -n "$tray_pid" ] || return 0
    kill "$tray_pid" 2>/dev/null || true
    wait "$tray_pid" 2>/dev/null || true
    tray_pid=""
    wait_for 10 not tray_panel >/dev/null
}

# The usable area of the screen, without the panel: "x y width height".
work_area() {
    xprop -root _NET_WORKAREA | sed 's/.*= //; s/,//g' | cut -d' ' -f1-4
}

desktop_stop() {
    local pid
    tray_stop
    for pid in "${desktop_pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    for pid in "${desktop_pids[@]}"; do
        wait "$pid" 2>/dev/null || true
    done
    desktop_pids=()
}

# The id of Mozai's visible main window; fails when there is none.
mozai_window() {
    xdotool search --onlyvisible --name '^Mozai$' 2>/dev/null | tail -n 1 | grep .
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
    xdotool mousemove --sync "$1" "$2"
    under=$(xdotool getmouselocation --shell | sed -n 's/^WINDOW=//p')
    parent=$(xwininfo -children -id "$3" | awk '/Parent window id/ && !/root window/{print $4}')
    [ "$under" = "$3" ] || { [ -n "$parent" ] && [ "$(printf '%d' "$parent")" = "$under" ]; }
}

# "r,g,b" pixels of colour $6 inside rectangle ($2, $3, $4 x $5) of a saved screenshot.
count_colour() {
    /usr/bin/convert "$1" -crop "${4}x${5}+${2}+${3}" +repage -depth 8 txt:- | grep -c "^[^ ]* ($6) "
}

# --- Running checks against the program ------------------------------------------------------

# Fails, naming them, when any of the given tools is missing.
need_tools() {
    local tool missing=0
    for tool in "$@"; do
        if ! command -v "$tool" >/dev/null 2>&1; then
            echo "missing tool: $tool (scripts/install-deps.sh installs it)" >&2
            missing=1
        fi
    done
    return $missing
}

# Prepares a test run of the Mozai executable $1: checks the tools, makes a scratch folder
# ($work, with Mozai's data folder as the working directory), starts the desktop, and stops
# everything at exit. Exits 77 (a skip for ctest) when there is no Xvfb.
e2e_begin() {
    mozai=$(realpath "$1")
    if ! command -v Xvfb >/dev/null 2>&1; then
        echo "SKIP: Xvfb is not installed"
        exit 77
    fi
    need_tools openbox trayer xdotool xdpyinfo xprop xwininfo import /usr/bin/convert md5sum ||
        exit 1
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
    desktop_start || exit 1
    echo "desktop on $DISPLAY"
}

e2e_cleanup() {
    kill_mozai
    [ -z "${e2e_mount:-}" ] || umount "$e2e_mount"
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

# Starts Mozai in the background; $mozai_pid is its process.
launch_mozai() {
    "$mozai" >>"$work/mozai.log" 2>&1 &
    mozai_pid=$!
}

# Whether Mozai's main window ($win) shows the cube at its centre, the desktop at its corner.
shaped_cube_shown() {
    local wx wy ww wh
    read -r wx wy ww wh <<<"$(window_rect "$win")"
    screenshot "$work/started.png"
    [ "$(pixel "$work/started.png" $((wx + 2)) $((wy + 2)))" = "$root_colour" ] &&
        [ "$(pixel "$work/started.png" $((wx + ww / 2)) $((wy + wh / 2)))" != "$root_colour" ]
}

# Starts Mozai and waits for its main window ($win) to show the shaped cube.
start_mozai() {
    launch_mozai
    win=$(wait_for 20 mozai_window) ||
        { echo "Mozai showed no window" >&2; cat "$work/mozai.log" >&2; exit 1; }
    wait_for 30 shaped_cube_shown || { echo "Mozai's window shows no shaped cube" >&2; exit 1; }
}

# Ends Mozai with SIGTERM; $status is its exit status.
stop_mozai() {
    kill -TERM "$mozai_pid" 2>/dev/null || true
    status=0
    wait "$mozai_pid" || status=$?
    mozai_pid=""
}

# Ends Mozai, if it runs, with SIGKILL.
kill_mozai() {
    [ -n "$mozai_pid" ] || return 0
    kill -KILL "$mozai_pid" 2>/dev/null || true
    wait "$mozai_pid" 2>/dev/null || true
    mozai_pid=""
}

# The screen position "x y" of Mozai's tray icon; fails when it is not embedded. Its window is
# named "mozai" (so is the banner, but that is larger); the main window is "Mozai".
tray_icon_at() {
    xwininfo -root -tree | awk '/"mozai": \("mozai" "mozai"\) +[0-9]+x[0-9]+/{
        split($(NF - 1), s, "x"); split($NF, p, "+")
        if (s[1] <= 64) { print p[2] + int(s[1] / 2), p[3] + int(s[2] / 2); found = 1; exit } }
        END { exit !found }'
}

# The screen position of Mozai's tray icon, "x y", waiting up to 3 s for it to be embedded;
# nothing, and the windows of that name shown, when there is none.
tray_icon_centre() {
    wait_for 3 tray_icon_at && return 0
    xwininfo -root -tree | grep -i '"mozai"' >&2
    return 1
}

# Whether a popup menu of Mozai shows: a window of its class other than $win and the 340 x 130
# banner, over 100 pixels each way; its rectangle is then $popup_rect.
popup_shown() {
    local id pw ph
    for id in $(xdotool search --onlyvisible --classname mozai 2>/dev/null); do
        [ "$id" = "$win" ] && continue
        popup_rect=$(window_rect "$id")
        read -r _ _ pw ph <<<"$popup_rect"
        [ "$pw" -gt 100 ] && [ "$ph" -gt 100 ] && [ "$pw $ph" != "340 130" ] && return 0
    done
    return 1
}
popup_opens() { wait_for 3 popup_shown; }
popup_gone() { wait_for 3 not popup_shown || { echo "       the popup stays up"; return 1; }; }

# Right-clicks Mozai's tray icon; whether its menu opens.
tray_menu() {
    local tx ty
    read -r tx ty <<<"$(tray_icon_centre)"
    [ -n "$tx" ] || { echo "       no tray icon"; return 1; }
    xdotool mousemove "$tx" "$ty" click 3
    popup_opens
}

# Switches demo mode on or off from the tray menu; whether the menu opened.
demo_switch() {
    tray_menu || return 1
    # From the bottom: "Exit", "About", then "Option"; its second item is "Demo On"/"Demo Off".
    xdotool key Up Up Up Right Down Return
}

# drag_by x y dx dy steps [buttons]: a drag on the screen from (x, y) in steps of (dx, dy)
# pixels, with the given buttons held (default: the left one).
drag_by() {
    local step button buttons=${6:-1}
    xdotool mousemove "$1" "$2"
    for button in $buttons; do xdotool mousedown "$button"; done
    for step in $(seq 1 "$5"); do
        xdotool mousemove $(($1 + $3 * step)) $(($2 + $4 * step))
        # Paced like a hand, so that each step arrives as a motion of its own.
        sleep 0.03
    done
    for button in $buttons; do xdotool mouseup "$button"; done
}

# drag_twist x y dx dy steps, from the corner of window rectangle "$x $y $w $h": a drag, then
# $sum, the checksum of that rectangle, once the picture differs from $sum and rests again.
drag_twist() {
    drag_by $((x + $1)) $((y + $2)) "$3" "$4" "$5"
    sum=$(settled_area_sum "$sum" "$x" "$y" "$w" "$h")
}

# The checksum of the screen rectangle "$2 $3 $4 $5" once it differs from $1 and two
# screenshots in a row agree (up to 10 s): what a drag or an animation left on the screen.
settled_area_sum() {
    local _ last="" sum
    for _ in $(seq 50); do
        screenshot "$work/settled.png"
        sum=$(area_sum "$work/settled.png" "$2" "$3" "$4" "$5")
        [ "$sum" != "$1" ] && [ "$sum" = "$last" ] && break
        last=$sum
        sleep 0.2
    done
    echo "$sum"
}

# A checksum of the rectangle "x y w h" of the screen once it has stopped changing.
settled_sum() {
    settled_area_sum "" "$@"
}

# history.ini with its line ends shown as R and N.
history_text() {
    [ -f history.ini ] && tr '\r\n' 'RN' <history.ini
}
