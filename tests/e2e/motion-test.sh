#!/usr/bin/env bash
# End-to-end checks of what moves on the desktop, with the built program under Xvfb, openbox
# and trayer on a black desktop, driven by xdotool and judged by screenshots: the shaped splash,
# legible on it, at start, the shaped congratulations banner over the spinning cube once a drag
# solves it, with the tray menu greyed meanwhile, and demo mode, chosen from the tray menu,
# twisting the cube and carrying a thrown window on, bouncing at the edges of the screen, its
# twists recorded so that Home steps back through them.
# Usage: motion-test.sh <mozai executable>
# Exit status 77 (a skip for ctest) when there is no Xvfb.
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
resources=$(cd "$here/../../resources" && pwd)
# A dark desktop: the splash's text must stay legible on it.
desktop_root=black
# shellcheck source=desktop-lib.sh
source "$here/desktop-lib.sh"
e2e_begin "$1"

# Both pictures are 340 x 130, centred on the usable area of the screen.
read -r ax ay aw ah <<<"$(work_area)"
bx=$((ax + (aw - 340) / 2))
by=$((ay + (ah - 130) / 2))

# --- The splash: the logo alone, its background cut away, before the main window shows ------
# Where the picture has its background the desktop shows through; everywhere else the logo.
expected=$(/usr/bin/convert "$resources/splash.png" -fill "rgb($root_colour)" \
    -opaque "rgb(128,128,255)" -depth 8 rgb:- | md5sum | cut -d' ' -f1)
# A busy machine may take longer to grab the screen than the splash lasts: a start whose splash
# was missed is ended and Mozai started again, three times at most.
# Sets $seen once the splash shows; also done once the main window is up, as the splash is over.
splash_or_window() {
    screenshot "$work/splash.png"
    [ "$(area_sum "$work/splash.png" $bx $by 340 130)" = "$expected" ] && seen=1 && return 0
    mozai_window >/dev/null
}
splash_seen() {
    local _ seen=""
    for _ in 1 2 3; do
        launch_mozai
        wait_for 20 splash_or_window
        [ -n "$seen" ] && return 0
        kill_mozai
    done
    launch_mozai
    return 1
}
check "the splash shows the logo alone, shaped, while the main window is hidden" splash_seen
# Its small line of black text stands on the desktop, rimmed with light pixels.
check "on a black desktop the splash's small line shows its light rim" \
    more_than "$(count_colour "$work/splash.png" $bx $((by + 102)) 340 20 "255,255,255")" 300
win=$(wait_for 20 mozai_window) || { echo "Mozai showed no window" >&2; exit 1; }
read -r x y w h <<<"$(window_rect "$win")"
settled_sum "$x" "$y" "$w" "$h" >/dev/null
cx=$((x + w / 2))
cy=$((y + h / 2))

# --- A twist and a drag back two thirds of the way solve the cube: the banner comes up ------
read -r tx ty <<<"$(tray_icon_centre)"
# The bottom row turns right, finished after the release, then most of the way back.
before=$(settled_area_sum "" "$x" "$y" "$w" "$h")
drag_by $((cx - 30)) $((cy + 25)) 8 0 10
settled_area_sum "$before" "$x" "$y" "$w" "$h" >/dev/null
drag_by $((cx - 30)) $((cy + 25)) -8 0 8
# Yellow letters of the banner in its box.
letters() { count_colour "$1" $bx $by 340 130 "255,240,0"; }
banner_up() {
    screenshot "$work/banner1.png"
    [ "$(letters "$work/banner1.png")" -gt 3000 ]
}
check "the solved cube brings up the banner" wait_for 10 banner_up
# At once, while it lasts: the tray menu.
xdotool mousemove "$tx" "$ty" click 3
check "meanwhile the tray icon opens the menu" popup_opens
read -r px py pw ph <<<"$popup_rect"
screenshot "$work/banner2.png"
check "with every entry greyed (no black label)" \
    same "$(count_colour "$work/banner2.png" "$px" "$py" "$pw" "$ph" "0,0,0")" 0
xdotool key Escape
check "its letters stay up" more_than "$(letters "$work/banner2.png")" 3000
check "its pale background is cut away" same "$(count_colour "$work/banner1.png" $bx $by 340 130 \
    "255,255,177")" 0
check "the cube spins behind it" differ "$(area_sum "$work/banner1.png" "$x" "$y" "$w" "$h")" \
    "$(area_sum "$work/banner2.png" "$x" "$y" "$w" "$h")"
banner_gone() {
    screenshot "$work/after.png"
    [ "$(letters "$work/after.png")" -eq 0 ]
}
check "the banner goes after four seconds" wait_for 10 banner_gone

# --- Demo mode from the tray menu: the cube twists by itself, a thrown window drifts on ------
cube_sum() {
    screenshot "$work/cube.png"
    area_sum "$work/cube.png" "$x" "$y" "$w" "$h"
}
still=$(settled_sum "$x" "$y" "$w" "$h")
check "without the demo the cube stands still" same "$(cube_sum)" "$still"
check "right-click on the tray icon opens the menu" demo_switch
cube_changed() { [ "$(cube_sum)" != "$1" ]; }
check "the demo twists the cube" wait_for 10 cube_changed "$still"

# Both buttons down on the cube, a few steps down and to the right, both up.
drag_by "$cx" "$cy" 9 6 4 "1 3"
# Window positions, each one that differs from the one before, until $1 of them are seen or
# 15 s pass; each "centre x, centre y" on a line of $work/path.
track() {
    local i last="" rect wx wy ww wh
    : >"$work/path"
    for i in $(seq 1500); do
        rect=$(window_rect "$win")
        if [ "$rect" != "$last" ]; then
            read -r wx wy ww wh <<<"$rect"
            echo "$((wx + ww / 2)) $((wy + wh / 2))" >>"$work/path"
            last=$rect
            [ "$(wc -l <"$work/path")" -ge "$1" ] && return 0
        fi
        sleep 0.01
    done
}
# Steps between the tracked positions: "dx dy" per line.
steps() { awk 'NR > 1 { print $1 - x, $2 - y } { x = $1; y = $2 }' "$work/path"; }
track 5
# Going by the last pointer step (9, 6) per tick, or a few ticks between two looks.
drifts_along_the_throw() {
    steps | awk '$1 <= 0 || $1 * 2 != $2 * 3 { bad = 1 } END { exit bad || NR < 4 }' ||
        { echo "       steps: $(steps | tr '\n' ';')"; return 1; }
}
check "the thrown window drifts on by the pointer's last step" drifts_along_the_throw
track 150
# At the right and bottom edges it turns back; its centre never leaves the usable area.
bounces_on_the_screen() {
    steps | awk '$1 < 0 { left = 1 } $2 < 0 { up = 1 } END { exit !(left && up) }' ||
        { echo "       never turned back"; return 1; }
    awk -v l="$ax" -v t="$ay" -v r=$((ax + aw)) -v b=$((ay + ah)) \
        '$1 < l || $1 > r || $2 < t || $2 > b { bad = 1 } END { exit bad }' "$work/path" ||
        { echo "       left the screen: $(tr '\n' ';' <"$work/path")"; return 1; }
}
check "it bounces at the edges and stays on the screen" bounces_on_the_screen

stop_mozai
check "SIGTERM ends Mozai with status 0" same "$status" 0
moves='([0-2] [0-2] [01]RN)'
demo_kept() { [[ "$(history_text)" =~ ^3RN$moves+$ ]] || { echo "       $(history_text)"; return 1; }; }
check "an exit during the demo keeps its twists" demo_kept

# --- Two twists, a demo, and Home steps back through all of it to the solved cube -----------
rm history.ini
start_mozai
read -r x y w h <<<"$(window_rect "$win")"
solved=$(settled_sum "$x" "$y" "$w" "$h")
# The front face's left column down, then the right face's middle row right.
sum=$solved
drag_twist 83 114 0 5 14
drag_twist 180 127 5 0 14
check "the demo starts from the tray menu" demo_switch
# The autosave shows the demo's twists on disk a second or two after they complete.
after_the_twists() { [[ "$(history_text)" =~ ^3RN0\ 0\ 1RN1\ 1\ 1RN$moves{6,}$ ]]; }
check "the demo's twists are recorded after the two twists" wait_for 20 after_the_twists
check "and it stops from the tray menu" demo_switch
left=$(settled_sum "$x" "$y" "$w" "$h")
stop_mozai
check "SIGTERM keeps the two twists, then the demo's" after_the_twists
start_mozai
read -r x y w h <<<"$(window_rect "$win")"
picture=$(settled_sum "$x" "$y" "$w" "$h")
check "the next start shows the cube the demo left" same "$picture" "$left"
for _ in $(seq $(($(wc -l <history.ini) - 1))); do
    xdotool windowfocus --sync "$win" key Home
    picture=$(settled_area_sum "$picture" "$x" "$y" "$w" "$h")
done
check "Home through every move shows the solved cube of a fresh start" same "$picture" "$solved"
xdotool key Home
check "after which Home changes nothing" not wait_for 1.5 cube_changed "$solved"
stop_mozai
e2e_end
