#!/usr/bin/env bash
# Checks what `cmake --install` puts into a fresh prefix: the desktop entry and the AppStream
# metainfo pass their validators, every icon is there at its size, the manual page renders, the
# installed program answers --version and --help, and, started from the home folder like a
# menu launch, keeps its files in $XDG_DATA_HOME/mozai and puts nothing into the home folder.
# Usage: install-test.sh <build folder> <version> <application id>
# Exit status 77 (a skip for ctest) when there is no Xvfb.
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=$(realpath "$1")
version=$2
app_id=$3
# shellcheck source=desktop-lib.sh
source "$here/desktop-lib.sh"
e2e_begin "$build/app/mozai"
need_tools desktop-file-validate appstreamcli man identify || exit 1

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 ||
    { cat "$work/install.log"; exit 1; }
mozai=$prefix/bin/mozai
share=$prefix/share

# --- The files a desktop reads -------------------------------------------------------------
desktop=$share/applications/$app_id.desktop
check "desktop-file-validate passes" desktop-file-validate "$desktop"
check "appstreamcli validate passes" appstreamcli validate --no-net \
    "$share/metainfo/$app_id.metainfo.xml"
entry() { sed -n "s/^$1=//p" "$desktop"; }
check "the entry starts the program and shows its icon" \
    same "$(entry Exec) $(entry Icon)" "mozai $app_id"
icon_size() { identify -format '%wx%h' "$1" 2>/dev/null; }
for size in 16 22 24 32 48 64 128 256; do
    check "icon at ${size} px" same "$(icon_size "$share/icons/hicolor/${size}x${size}/apps/$app_id.png")" "${size}x${size}"
done
check "scalable icon" grep -q '<polygon' "$share/icons/hicolor/scalable/apps/$app_id.svg"

page=$share/man/man6/mozai.6.gz
man_clean() {
    local text
    text=$(MANWIDTH=80 man --warnings -l "$page" 2>"$work/man.err") || return 1
    [ ! -s "$work/man.err" ] || { cat "$work/man.err"; return 1; }
    grep -q -- '--data-dir' <<<"$text" && grep -q 'EXIT STATUS' <<<"$text"
}
check "man -l renders the page without warnings" man_clean

# --- The command line ----------------------------------------------------------------------
check "--version names the release" same "$("$mozai" --version)" "mozai $version"
check "--help lists --data-dir" grep -q -- '--data-dir <folder>' <(DISPLAY= "$mozai" --help)
bad_option() { "$mozai" --no-such-option 2>"$work/usage"; [ $? -eq 2 ] && grep -q Usage "$work/usage"; }
check "a bad option prints the usage and exits 2" bad_option

# --- Started from the home folder, as from the application menu ----------------------------
export HOME=$work/home XDG_DATA_HOME=$work/xdg-data
mkdir -p "$HOME"
cd "$HOME" || exit 1
start_mozai
check "the window's class is the entry's StartupWMClass" \
    grep -q "\"$(entry StartupWMClass)\"\$" <(xprop -id "$win" WM_CLASS)
stop_mozai
check "SIGTERM ends Mozai with status 0" same "$status" 0
check "history.ini is in \$XDG_DATA_HOME/mozai" test -s "$XDG_DATA_HOME/mozai/history.ini"
check "the data folder is private" same "$(stat -c %a "$XDG_DATA_HOME/mozai")" 700
home_files() { find "$HOME" -name '*.ini*' -o -type f ! -path "$HOME/*/*"; }
check "nothing was written into the home folder" same "$(home_files)" ""

e2e_end
