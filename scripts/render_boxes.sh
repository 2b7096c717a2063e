#!/usr/bin/env bash
# Renders the program's three message boxes from the real qUENTAro.exe under wine into docs/*.png, and its icon.
# QUENTARO_EXE picks another build (the 64-bit twin starts at once where 32-bit wine is emulated).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/wine_session.sh
export LC_ALL=C.UTF-8
start_private_display
ensure_wine_prefix

# With no window manager decorating, wine draws the frame and caption itself, as Windows does.
"$wine64" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
cleanup() {
    [ -n "${hold_input:-}" ] && exec {hold_input}>&-
    [ -n "${keeper_input:-}" ] && exec {keeper_input}>&-
    "$wine64" reg delete 'HKCU\Software\Wine\X11 Driver' /v Decorated /f >/dev/null 2>&1 || true
    wineserver -k 2>/dev/null || true
    kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
# Wine drops the clipboard about a second after its last program ends, long before an emulated PE32 reads it.
exec {keeper_input}> >("$wine64" "$helpers/stay_idle.exe" >/dev/null 2>&1)

helper() { "$wine64" "$helpers/$1.exe" "${@:2}" >/dev/null; }

# Waits for the box, photographs its X window, and presses the given button.
photograph_and_press() {
    local picture=$1 button=$2 window
    "$wine64" "$helpers/answer_message_box.exe" "$caption_hex" show 300000 >/dev/null
    window=$(xdotool search --sync --onlyvisible --name '^qUENTAro v0\.93' | head -n1)
    "$wine64" "$helpers/answer_message_box.exe" "$caption_hex" front 30000 >/dev/null
    sleep 0.5  # the box paints after it is mapped and again once active
    import -window "$window" "docs/$picture"
    echo "docs/$picture"
    "$wine64" "$helpers/answer_message_box.exe" "$caption_hex" "$button" 30000 >/dev/null
}

helper empty_clipboard
"$runner" "$exe" & program=$!
photograph_and_press box_no_text.png 1
wait "$program"

helper put_clipboard_text "$(printf 'Hello world' | xxd -p)"
"$runner" "$exe" & program=$!
photograph_and_press box_mostly_lowercase.png 6
wait "$program"

# The write fails when another program takes the clipboard while the question is up and keeps it.
helper put_clipboard_text "$(printf 'Hello world' | xxd -p)"
"$runner" "$exe" & program=$!
"$wine64" "$helpers/answer_message_box.exe" "$caption_hex" show 300000 >/dev/null
exec {hold_input}> >("$wine64" "$helpers/hold_clipboard.exe" stdin >/dev/null 2>&1)
until "$wine64" "$helpers/try_open_clipboard.exe" | grep -q busy; do sleep 0.1; done
"$wine64" "$helpers/answer_message_box.exe" "$caption_hex" 6 30000 >/dev/null
photograph_and_press box_not_set.png 1
wait "$program"

# The icon as the shell shows it, four times larger.
convert res/qUENTAro.ico -scale 400% -strip docs/icon.png
