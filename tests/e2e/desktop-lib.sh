# A private desktop for running the built program: Xvfb on a free display, openbox as window
# manager and trayer as notification area, plus helpers to find Mozai's window and read
# pixels of the screen. Sourced by the end-to-end scripts; needs bash.

# Screen size and the root window's colour (Xvfb -wr: white), which shows wherever the shaped
# window lets the desktop through.
desktop_width=1024
desktop_height=768
root_colour="255,255,255"

desktop_pids=()

# Starts the desktop; sets DISPLAY. Returns 1 when Xvfb cannot start.
desktop_start() {
    local number=${1:-200} tries=0
    while [ $tries -lt 20 ]; do
        while [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ]; do
            number=$((number + 1))
        done
        export DISPLAY=":$number"
        Xvfb "$DISPLAY" -screen 0 "${desktop_width}x${desktop_height}x24" -nolisten tcp -wr \
            >/dev/null 2>&1 &
        local pid=$!
        local i
        for i in $(seq 100); do
            if xdpyinfo >/dev/null 2>&1; then
                desktop_pids+=("$pid")
                openbox >/dev/null 2>&1 &
                desktop_pids+=($!)
                trayer --edge bottom --align right --widthtype pixel --width 120 \
                    --height 24 >/dev/null 2>&1 &
                desktop_pids+=($!)
                # Both announce themselves: openbox on the root window, trayer with its window.
                for i in $(seq 100); do
                    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window &&
                        xwininfo -root -tree 2>/dev/null | grep -q '"trayer"' && break
                    sleep 0.05
                done
                sleep 0.3
                return 0
            fi
            # Another server took the number meanwhile: try the next one.
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.05
        done
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
        number=$((number + 1))
        tries=$((tries + 1))
    done
    return 1
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
