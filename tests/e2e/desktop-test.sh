#!/usr/bin/env bash
# End-to-end checks of the built program on a private desktop (Xvfb, openbox, trayer), driven
# by xdotool and judged by screenshots: the shaped window under the panel and clicks through it,
# a second start, the wheel, the Enter key, moves by the window manager, the tray icon and the
# Menu key, twists by dragging that survive a quit by SIGTERM and a new start, a notification
# area that starts after Mozai, a twist saved by itself within 2 s that survives kill -9, saves
# that fail (a full disk, a file nobody may write), the window at twice the pixel density, and
# drags on the start view that turn what the hand shows.
# Usage: desktop-test.sh <mozai executable>
# Exit status 77 (a skip for ctest) when there is no Xvfb.
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=desktop-lib.sh
source "$here/desktop-lib.sh"
e2e_begin "$1"

rect_is() { win=$(mozai_window) && [ "$(window_rect "$win")" = "$1" ]; }
# Waits up to 3 s for Mozai's window rectangle to become $1.
wait_rect() {
    wait_for 3 rect_is "$1" || { echo "       rectangle '$(window_rect "$win")', expected '$1'"; return 1; }
}

# --- First start: a solved cube in the shaped window at the centre of the usable area --------
start_mozai
read -r x y w h <<<"$(window_rect "$win")"
read -r ax ay aw ah <<<"$(work_area)"
check "borderless window of 292 x 253 where the 300 x 300 window was created, below the panel" \
    same "$x $y $w $h" "$((ax + (aw - 300) / 2 + 4)) $((ay + (ah - 300) / 2 + 47)) 292 253"
cx=$((x + w / 2))
cy=$((y + h / 2))
screenshot "$work/start.png"
check "the desktop shows at the window's corner" same "$(pixel "$work/start.png" $((x + 2)) $((y + 2)))" "$root_colour"
check "the cube shows at the window's centre" differ "$(pixel "$work/start.png" $cx $cy)" "$root_colour"
check "a click at the cut-away corner reaches the desktop, not Mozai" \
    not pointer_over $((x + 2)) $((y + 2)) "$win"
check "a click on the cube reaches Mozai" pointer_over $cx $cy "$win"

# --- A second start hands over to the running one of its data folder and ends --------------
mozai_windows() { xdotool search --onlyvisible --name '^Mozai$' 2>/dev/null | wc -l; }
shown() { xwininfo -id "$1" | grep -q IsViewable; }
# second_start <expected status> <expected text on stderr> [VAR=value...] [-- arguments]
second_start() {
    local want=$1 line=$2 got=0 settings=()
    shift 2
    while [ $# -gt 0 ] && [ "$1" != -- ]; do settings+=("$1"); shift; done
    shift
    env "${settings[@]}" timeout 20 "$mozai" "$@" 2>"$work/second.err" || got=$?
    same "$got" "$want" && { [ -z "$line" ] || grep -qF -- "$line" "$work/second.err"; } ||
        { echo "       stderr: $(cat "$work/second.err")"; return 1; }
}
xdotool windowminimize --sync "$win"
# The display named with its screen number is the same display.
check "a second start, on DISPLAY=$DISPLAY.0, ends at once with status 0" \
    second_start 0 "" DISPLAY="$DISPLAY.0"
check "and brings the minimised window back" wait_for 5 shown "$win"
check "one Mozai window remains" same "$(mozai_windows)" 1
check "QT_QPA_PLATFORM=wayland with an X display at hand: X, said on stderr" \
    second_start 0 "running on X display $DISPLAY" QT_QPA_PLATFORM=wayland
check "a start on another platform names the running one's display and ends with 1" \
    second_start 1 "mozai: another Mozai, on display $DISPLAY, uses this data folder" \
    -- -platform offscreen
# Another data folder on the same display is another Mozai, with its own channel.
xdotool windowminimize --sync "$win"
"$mozai" --data-dir "$work/other" >>"$work/mozai.log" 2>&1 &
other_pid=$!
check "another data folder has a Mozai of its own" wait_for 20 eval '[ "$(mozai_windows)" = 1 ]'
check "whose start leaves the first one's window minimised" not shown "$win"
check "a second start on the other folder ends with status 0" second_start 0 "" -- --data-dir "$work/other"
check "the first folder's start brings its own window back" second_start 0 ""
check "so both show" wait_for 5 eval '[ "$(mozai_windows)" = 2 ]'
kill -TERM "$other_pid"
wait "$other_pid"
# Without a display: said at once, status 1, and no data folder made.
for display in "" :4093; do
    check "DISPLAY='$display': 'cannot open display', status 1" \
        second_start 1 "mozai: cannot open display ${display:-(DISPLAY is not set)}" \
        DISPLAY="$display" XDG_DATA_HOME="$work/nodisplay"
    check "and no data folder is made" not test -e "$work/nodisplay"
done

# --- The wheel grows the window by 6 pixels each way around its centre ----------------------
xdotool mousemove $cx $cy click 4
check "wheel up: 3 pixels more on each side" wait_rect "$((x - 3)) $((y - 3)) $((w + 6)) $((h + 6))"
xdotool click 5
check "wheel down: back to the old rectangle" wait_rect "$x $y $w $h"

# --- Enter: framed with a menu bar, and back ---------------------------------------------
xdotool windowfocus --sync "$win"
xdotool key Return
framed() {
    local extents
    win=$(mozai_window) || return 1
    extents=$(xprop -id "$win" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= //p')
    # left, right, top, bottom: a window manager frame with a caption.
    [ -n "$extents" ] && [ "$(echo "$extents" | cut -d, -f3 | tr -d ' ')" -gt 0 ]
}
check "Enter frames the window" wait_for 3 framed
read -r fx _ <<<"$(window_rect "$win")"
check "the window keeps its left edge" same "$fx" "$x"
# The client area starts on the same screen row; the menu bar sits above it.
client_row_shown() {
    screenshot "$work/framed.png"
    [ "$(pixel "$work/framed.png" $((x + 2)) "$y")" = "220,221,221" ]
}
check "framed, the client area shows whole and uncut from the same row" wait_for 3 client_row_shown
check "the menu bar ends right above it" \
    differ "$(pixel "$work/framed.png" $((x + 2)) $((y - 1)))" "220,221,221"
check "the menu bar is no desktop" \
    differ "$(pixel "$work/framed.png" $((x + 2)) $((y - 4)))" "$root_colour"
xdotool windowfocus --sync "$win"
xdotool key Return
check "Enter again restores the borderless rectangle exactly" wait_rect "$x $y $w $h"

# --- Moved by the window manager (Alt+drag), it still takes the wheel and its own drag -------
xdotool mousemove $cx $cy keydown alt mousedown 1
xdotool mousemove $((cx + 75)) $((cy + 40))
xdotool mousemove $((cx + 150)) $((cy + 80)) mouseup 1 keyup alt
check "Alt+drag moves the window" wait_rect "$((x + 150)) $((y + 80)) $w $h"
x=$((x + 150)) y=$((y + 80)) cx=$((cx + 150)) cy=$((cy + 80))
xdotool mousemove $cx $cy click 4
check "after the move the wheel grows it around its new centre" \
    wait_rect "$((x - 3)) $((y - 3)) $((w + 6)) $((h + 6))"
xdotool click 5
check "and shrinks it back" wait_rect "$x $y $w $h"
drag_by $cx $cy -10 -5 4 "1 3"
check "a two-button drag carries it from where it is now" \
    wait_rect "$((x - 40)) $((y - 20)) $w $h"

# --- The Menu key and Shift+F10 open the menu at the window's centre, with every entry live -
read -r x y w h <<<"$(window_rect "$win")"
for keys in Menu shift+F10; do
    xdotool windowfocus --sync "$win"
    xdotool key "$keys"
    check "$keys opens the menu" popup_opens
    read -r px py pw ph <<<"$popup_rect"
    check "at the window's centre" same "$px $py" "$((x + w / 2)) $((y + h / 2))"
    screenshot "$work/menu.png"
    check "its labels are black" more_than "$(count_colour "$work/menu.png" "$px" "$py" "$pw" "$ph" "0,0,0")" 50
    xdotool key Escape
    check "Escape closes it" popup_gone
done

# --- The tray icon: a left click does nothing, a right click opens the menu -----------------
read -r tx ty <<<"$(tray_icon_centre)"
if [ -n "${tx:-}" ]; then
    xdotool mousemove "$tx" "$ty" click 1
    check "a left click on the tray icon opens nothing" not wait_for 0.5 popup_shown
    xdotool click 3
    check "right-click on the tray icon opens the menu" popup_opens
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
drag_by $((ox + 87)) $((oy + 161)) 0 5 14
column=$(settled_area_sum "$before" "$x" "$y" "$w" "$h")
check "the drag down the left column changed the picture" differ "$column" "$before"
drag_by $((ox + 184)) $((oy + 174)) 5 0 14
twisted=$(settled_area_sum "$column" "$x" "$y" "$w" "$h")
check "the drag along the right face's middle row changed it again" differ "$twisted" "$column"

stop_mozai
check "SIGTERM ends Mozai with status 0" same "$status" 0
check "history.ini holds the column turned down, then the row turned right" \
    same "$(history_text)" "3RN0 0 1RN1 1 1RN"
saved=$(cat history.ini)

# This time the notification area starts after Mozai.
tray_stop
start_mozai
read -r x y w h <<<"$(window_rect "$win")"
check "the next start shows the same cube" same "$(settled_sum "$x" "$y" "$w" "$h")" "$twisted"
tray_start
read -r tx ty <<<"$(tray_icon_centre)"
check "the tray icon appears when a notification area starts later" test -n "${tx:-}"
check "and its right-click opens the menu" tray_menu
xdotool key Escape
check "Escape closes it" popup_gone
stop_mozai
check "a quit without changes keeps history.ini" same "$(cat history.ini)" "$saved"

# --- A twist is saved within 2 s and survives kill -9; a save's leftover goes at the start ---
echo half >.history.ini.mozai-Ab12Cd
echo mine >history.ini.Ab12Cd
start_mozai
check "the leftover of an interrupted save is gone at the next start" \
    not test -e .history.ini.mozai-Ab12Cd
check "a file of the user's named like the old leftovers stays" same "$(cat history.ini.Ab12Cd)" mine
read -r x y w h <<<"$(window_rect "$win")"
before=$(settled_sum "$x" "$y" "$w" "$h")
drag_by $((x + w / 2 - 30)) $((y + h / 2 + 25)) 8 0 8
rested=$(settled_area_sum "$before" "$x" "$y" "$w" "$h")
# The promise under test is a time: saved within 2 s of the twist.
three_moves() { [[ "$(history_text)" =~ ^3RN0\ 0\ 1RN1\ 1\ 1RN[0-2]\ [0-2]\ [01]RN$ ]]; }
wait_for 2.5 three_moves
kill_mozai
check "history.ini holds all three moves after kill -9" three_moves
start_mozai
read -r x y w h <<<"$(window_rect "$win")"
check "the next start shows the cube of the three twists" same "$(settled_sum "$x" "$y" "$w" "$h")" "$rested"
stop_mozai

# --- Saves that fail: on a full disk, of a file nobody may write (root included) -------------
# Said once with the reason and tried again until written; an exit that cannot save ends with
# status 1. The data folder lies on a small tmpfs, which needs root.
said() { grep -c "^mozai: cannot save history.ini: $2" "$work/mozai.log" | grep -qx "$1"; }
one_move() { [[ "$(tr '\r\n' 'RN' <"$data/history.ini")" =~ ^3RN[0-2]\ [0-2]\ [01]RN$ ]]; }
twist() {
    read -r x y w h <<<"$(window_rect "$win")"
    drag_by $((x + w / 2 - 30)) $((y + h / 2 + 25)) 8 0 8
}
e2e_mount=$work/disk
data=$e2e_mount/mozai
if [ "$(id -u)" != 0 ] ||
    ! { mkdir "$e2e_mount" && mount -t tmpfs -o size=256k tmpfs "$e2e_mount"; }; then
    echo "skip - failing saves: mounting a tmpfs needs root"
    e2e_mount=""
else
    XDG_DATA_HOME=$e2e_mount start_mozai
    wait_for 5 test -s "$data/history.ini"
    head -c 1M /dev/zero >"$e2e_mount/filler" 2>/dev/null
    twist
    full="No space left on device"
    check "a save on a full disk is said with the reason" wait_for 5 said 1 "$full"
    check "and said once, however often it is tried" not wait_for 2.5 said 2 "$full"
    rm "$e2e_mount/filler"
    check "once there is room it is written" wait_for 5 one_move
    head -c 1M /dev/zero >"$e2e_mount/filler" 2>/dev/null
    stop_mozai
    check "an exit that cannot save ends with status 1" same "$status" 1
    check "after saying so" said 2 "$full"
    rm "$e2e_mount/filler"
    for kind in file link; do
        [ $kind = file ] ||
            { mv "$data/history.ini" "$e2e_mount/target" && ln -s ../target "$data/history.ini"; }
        chmod 0444 "$data/history.ini"
        before=$(cat "$data/history.ini")
        : >"$work/mozai.log"
        XDG_DATA_HOME=$e2e_mount start_mozai
        twist
        check "a $kind nobody may write: its save is said to fail" wait_for 5 said 1 "Permission denied"
        stop_mozai
        check "and the $kind is left as it was, the exit status 1" \
            same "$status $(cat "$data/history.ini")" "1 $before"
    done
    umount "$e2e_mount" && e2e_mount=""
fi

# --- Quick Home presses each step back; a second button undoes the twist its drag began ------
moves() { echo $(($(wc -l <history.ini) - 1)); }
{
    printf '3\r\n'
    for i in 0 1 2 3 4 5 6 7 8 9; do printf '%d %d %d\r\n' $((i % 3)) $((i / 3 % 3)) $((i % 2)); done
} >history.ini
start_mozai
xdotool windowfocus --sync "$win"
# A step animates for about 0.3 s: presses 0.1 s apart come while the one before still runs.
xdotool key --delay 100 Home Home Home Home Home
five_left() { [ "$(moves)" = 5 ]; }
wait_for 10 five_left
stop_mozai
check "five quick Home presses on ten moves leave five after SIGTERM" same "$(moves)" 5
start_mozai
read -r x y w h <<<"$(window_rect "$win")"
xdotool mousemove $((x + w / 2 - 30)) $((y + h / 2 + 25)) mousedown 1
xdotool mousemove $((x + w / 2 - 27)) $((y + h / 2 + 25)) mousedown 3
xdotool mousemove $((x + w / 2)) $((y + h / 2 + 45)) mouseup 1 mouseup 3
check "left drag 3 px, then the right button: the window moves" wait_rect "$((x + 27)) $((y + 20)) $w $h"
settled_sum "$((x + 27))" "$((y + 20))" "$w" "$h" >/dev/null
stop_mozai
check "and no twist is recorded" same "$(moves)" 5

# --- Grown at the screen's corner the window stays on the usable area, no larger than it ----
start_mozai
read -r x y w h <<<"$(window_rect "$win")"
xdotool windowmove "$win" 10 10
check "the window manager moves the window to 10,10" wait_rect "10 10 $w $h"
x=10 y=10
cap=$((aw < ah ? aw : ah))
[ "$cap" -gt 900 ] && cap=900
# The window is pushed aside as it grows: each notch goes to its centre, over the cube.
grown() { [ "$(window_rect "$win")" != "$x $y $w $h" ]; }
for _ in $(seq $(((cap - w) / 6 + 5))); do
    xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 4
    wait_for 3 grown || break
    read -r x y w h <<<"$(window_rect "$win")"
done
check "the wheel grows it as far as the usable area allows" test $((w + 6)) -gt "$cap"
check "the whole window is on the usable area" \
    test "$x" -ge "$ax" -a "$y" -ge "$ay" -a $((x + w)) -le $((ax + aw)) -a $((y + h)) -le $((ay + ah))
stop_mozai

# --- Twice the pixel density: crisp, shaped to the cube, the same drag twists the same layer -
rm history.ini
QT_SCALE_FACTOR=2 start_mozai
read -r x y w h <<<"$(window_rect "$win")"
check "the window is twice as large" same "$w $h" "584 506"
settled_sum "$x" "$y" "$w" "$h" >/dev/null
/usr/bin/convert "$work/settled.png" -crop "${w}x${h}+${x}+${y}" +repage "$work/dense.png"
/usr/bin/convert "$work/dense.png" -sample 50% -sample 200% "$work/coarse.png"
dense_detail() { /usr/bin/compare -metric AE "$work/dense.png" "$work/coarse.png" null: 2>&1; }
check "painted at device pixels, not a picture of half the size scaled up" \
    more_than "$(dense_detail)" 500
check "no background shows: the shape fits the cube" \
    same "$(count_colour "$work/settled.png" "$x" "$y" "$w" "$h" "220,221,221")" 0
check "the desktop shows at the corner" same "$(pixel "$work/settled.png" $((x + 4)) $((y + 4)))" "$root_colour"
# The same two drags in device pixels, from the client origin at twice the frame offsets.
ox=$((x - 8))
oy=$((y - 94))
before=$(settled_sum "$x" "$y" "$w" "$h")
drag_by $((ox + 174)) $((oy + 322)) 0 10 14
column=$(settled_area_sum "$before" "$x" "$y" "$w" "$h")
drag_by $((ox + 368)) $((oy + 348)) 10 0 14
settled_area_sum "$column" "$x" "$y" "$w" "$h" >/dev/null
stop_mozai
check "the same drags at twice the size made the same moves" same "$(cat history.ini)" "$saved"

# --- On the start view a drag slides the grabbed sticker across its face the hand's way ------
rm history.ini
start_mozai
read -r x y w h <<<"$(window_rect "$win")"
sum=$(settled_sum "$x" "$y" "$w" "$h")
# 40 px left on the right face's back column, middle row: that sticker comes to the front, the
# middle row turning about Y the negative way; 40 px up on the top face's back row, right
# column: it goes over the back edge, the right column turning about X the negative way. Then
# each the other way.
drag_twist 198 123 -5 0 8
drag_twist 186 79 0 -5 8
drag_twist 198 123 10 0 4
drag_twist 186 79 0 10 4
# 250 px up from the front's bottom-right sticker, far above the cube, in 10 and in 50 reports:
# the right column only, always up, quarter after quarter.
drag_twist 150 176 0 -25 10
drag_twist 150 176 0 -5 50
stop_mozai
check "the drags recorded their rows and columns the hand's way, a long drag one layer one way" \
    same "$(history_text)" "3RN1 1 0RN0 2 0RN1 1 1RN0 2 1RN$(printf '0 2 0RN%.0s' 1 2 3 4 5 6)"

e2e_end
