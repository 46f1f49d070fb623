#!/usr/bin/env bash
# End-to-end checks of the built program on a private desktop (Xvfb, openbox, trayer), driven
# by xdotool and judged by screenshots: the shaped window and clicks through it, a second start,
# the wheel, the Enter key, the tray icon, and twists by dragging that survive a quit by SIGTERM
# and a new start.
# Usage: desktop-test.sh <mozai executable>
# Exit status 77 (a skip for ctest) when there is no Xvfb.
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=desktop-lib.sh
source "$here/desktop-lib.sh"
e2e_begin "$1"

# Waits up to 3 s for Mozai's window rectangle to become $1.
wait_rect() {
    local i
    for i in $(seq 30); do
        win=$(mozai_window 1) && [ "$(window_rect "$win")" = "$1" ] && return 0
        sleep 0.1
    done
    echo "       rectangle '$(window_rect "$win")', expected '$1'"
    return 1
}

# --- First start: a solved cube in the shaped window at the centre --------------------------
start_mozai
read -r x y w h <<<"$(window_rect "$win")"
check "borderless window of 292 x 253 where the 300 x 300 window was created" \
    same "$x $y $w $h" "$(((desktop_width - 300) / 2 + 4)) $(((desktop_height - 300) / 2 + 47)) 292 253"
cx=$((x + w / 2))
cy=$((y + h / 2))
screenshot "$work/start.png"
check "the desktop shows at the window's corner" same "$(pixel "$work/start.png" $((x + 2)) $((y + 2)))" "$root_colour"
check "the cube shows at the window's centre" differ "$(pixel "$work/start.png" $cx $cy)" "$root_colour"
check "a click at the cut-away corner reaches the desktop, not Mozai" \
    not pointer_over $((x + 2)) $((y + 2)) "$win"
check "a click on the cube reaches Mozai" pointer_over $cx $cy "$win"

# --- A second start hands over to the running one and ends ---------------------------------
check "a second start ends at once with status 0" timeout 10 "$mozai"
check "one Mozai window remains" same "$(xdotool search --onlyvisible --name '^Mozai$' | wc -l)" 1

# --- The wheel grows the window by 6 pixels each way around its centre ----------------------
xdotool mousemove $cx $cy click 4
check "wheel up: 3 pixels more on each side" wait_rect "$((x - 3)) $((y - 3)) $((w + 6)) $((h + 6))"
xdotool click 5
check "wheel down: back to the old rectangle" wait_rect "$x $y $w $h"

# --- Enter: framed with a menu bar, and back ---------------------------------------------
xdotool windowfocus --sync "$win"
xdotool key Return
framed_ok() {
    local i extents
    for i in $(seq 30); do
        win=$(mozai_window 1)
        extents=$(xprop -id "$win" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= //p')
        # left, right, top, bottom: a window manager frame with a caption.
        if [ -n "$extents" ] && [ "$(echo "$extents" | cut -d, -f3 | tr -d ' ')" -gt 0 ]; then
            read -r fx fy fw fh <<<"$(window_rect "$win")"
            return 0
        fi
        sleep 0.1
    done
    return 1
}
check "Enter frames the window" framed_ok
sleep 0.3
screenshot "$work/framed.png"
check "the window keeps its left edge" same "$fx" "$x"
# The client area starts on the same screen row; the menu bar sits above it.
check "framed, the client area shows whole and uncut from the same row" \
    same "$(pixel "$work/framed.png" $((x + 2)) "$y")" "220,221,221"
check "the menu bar ends right above it" \
    differ "$(pixel "$work/framed.png" $((x + 2)) $((y - 1)))" "220,221,221"
check "the menu bar is no desktop" \
    differ "$(pixel "$work/framed.png" $((x + 2)) $((y - 4)))" "$root_colour"
xdotool windowfocus --sync "$win"
xdotool key Return
check "Enter again restores the borderless rectangle exactly" wait_rect "$x $y $w $h"

# --- The tray icon: a left click does nothing, a right click opens the menu -----------------
read -r tx ty <<<"$(tray_icon_centre)"
if [ -n "${tx:-}" ]; then
    xdotool mousemove "$tx" "$ty" click 1
    check "a left click on the tray icon opens nothing" not popup_shown 5
    xdotool click 3
    check "right-click on the tray icon opens the menu" popup_shown
    xdotool key Escape
else
    check "the tray icon is in the notification area" false
fi

# --- Drags twist the layer under the pointer its way; the twists survive SIGTERM and a restart -
win=$(mozai_window)
read -r x y w h <<<"$(window_rect "$win")"
# The 300 x 300 client area the start view is drawn in; the shaped window is cut from it.
ox=$((x - 4))
oy=$((y - 47))
before=$(settled_area_sum "" "$x" "$y" "$w" "$h")
# Down the front face's left column from its middle sticker: the column turns about X, the
# front going down (positive); then right along the right face's middle row from its front
# sticker: the row turns about Y, the right face going right and back (positive).
drag_by $((ox + 87)) $((oy + 161)) 0 5 30
column=$(settled_area_sum "$before" "$x" "$y" "$w" "$h")
check "the drag down the left column changed the picture" differ "$column" "$before"
drag_by $((ox + 184)) $((oy + 174)) 5 0 30
twisted=$(settled_area_sum "$column" "$x" "$y" "$w" "$h")
check "the drag along the right face's middle row changed it again" differ "$twisted" "$column"

stop_mozai
check "SIGTERM ends Mozai with status 0" same "$status" 0
check "history.ini holds the column turned down, then the row turned right" \
    same "$(history_text)" "3RN0 0 1RN1 1 1RN"
saved=$(cat history.ini)

start_mozai
check "the next start shows the same cube" \
    same "$(settled_area_sum "" "$x" "$y" "$w" "$h")" "$twisted"
stop_mozai
check "a quit without changes keeps history.ini" same "$(cat history.ini)" "$saved"

e2e_end
