#!/usr/bin/env bash
# Builds qUENTAro.exe when needed and runs it once under wine on this desktop's clipboard, or on a private display.
# Usage: scripts/run.sh ["text to place on the clipboard first"]
# QUENTARO_EXE picks another build (e.g. build/win64/qUENTAro.exe, which starts at once where 32-bit wine is emulated).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/setup.sh

source scripts/wine_session.sh

private_display=
cleanup() {
    [ -n "${keeper_input:-}" ] && exec {keeper_input}>&-
    if [ -n "$private_display" ]; then
        wineserver -k 2>/dev/null || true
        kill "$wm_pid" "$xvfb_pid" 2>/dev/null || true
        wait 2>/dev/null || true
    fi
}
trap cleanup EXIT

if [ -z "${DISPLAY:-}" ]; then
    private_display=yes
    start_private_display
    matchbox-window-manager -use_titlebar no >/dev/null 2>&1 &
    wm_pid=$!
    echo "No display: using a private one ($DISPLAY); a message box is shown here and answered here."
fi

ensure_wine_prefix

if [ $# -gt 0 ]; then
    # As a Linux application copies: xclip owns the X clipboard until another program, here qUENTAro, takes it.
    printf '%s' "$1" | xclip -selection clipboard -i
fi

# Wine drops its clipboard about a second after its last program ends; this idle helper lets us read the result.
exec {keeper_input}> >("$wine64" "$helpers/stay_idle.exe" >/dev/null 2>&1)

if [ "$runner" = wine ] && [ -e /proc/sys/fs/binfmt_misc/qemu-i386 ]; then
    echo "32-bit wine runs emulated here: about a minute to start."
fi

"$runner" "$exe" &
program=$!

if [ -n "$private_display" ]; then
    while kill -0 "$program" 2>/dev/null; do
        shown=$("$wine64" "$helpers/answer_message_box.exe" "$caption_hex" show 500 2>/dev/null) || continue
        text=$(sed -n 's/^text: //p' <<<"$shown" | xxd -r -p | iconv -f CP1252 -t UTF-8)
        caption=$(xxd -r -p <<<"$caption_hex" | iconv -f CP1252 -t UTF-8)
        printf '\n[%s]\n%s\n' "$caption" "$text"
        if grep -q '^buttons: 6:' <<<"$shown"; then
            read -r -p "(y/n) " answer </dev/tty || answer=n
            case "$answer" in [yY]*) button=6 ;; *) button=7 ;; esac
        else
            read -r -p "[Enter for OK] " _ </dev/tty || true
            button=1
        fi
        "$wine64" "$helpers/answer_message_box.exe" "$caption_hex" "$button" 30000 >/dev/null
    done
fi
wait "$program" && status=0 || status=$?
echo "qUENTAro.exe exited with $status."

if held=$(xclip -o -selection clipboard 2>/dev/null); then
    printf 'The clipboard now holds:\n%s\n' "$held"
else
    echo "The clipboard now holds no text."
fi
if [ -z "$private_display" ]; then
    echo "Wine gives up the clipboard when its last program ends; a desktop clipboard manager keeps the text."
fi
