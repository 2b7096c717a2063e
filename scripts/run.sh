#!/usr/bin/env bash
# Builds qUENTAro.exe when needed and runs it once under wine on this desktop's clipboard, or on a private display.
# Usage: scripts/run.sh ["text to place on the clipboard first"]
# QUENTARO_EXE picks another build (e.g. build/win64/qUENTAro.exe, which starts at once where 32-bit wine is emulated).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/setup.sh

# The helpers that read the clipboard and the message box are 64-bit: they start at once even where 32-bit is emulated.
for preset in win32 win64; do
    [ -f "build/$preset/CMakeCache.txt" ] || cmake --preset "$preset" >/dev/null
done
cmake --build --preset win32 >/dev/null
cmake --build --preset win64 --target stay_idle answer_message_box >/dev/null

exe=${QUENTARO_EXE:-build/win32/qUENTAro.exe}
helpers=build/win64/e2e
wine64=$(command -v wine64 || echo /usr/lib/wine/wine64)
export WINEPREFIX=${WINEPREFIX:-$root/build/wine-prefix} WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
caption_hex=$(printf 'qUENTAro v0.93\xdf' | xxd -p)

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
    number_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$number_file" 2>/dev/null &
    xvfb_pid=$!
    for _ in $(seq 100); do [ -s "$number_file" ] && break; sleep 0.1; done
    export DISPLAY=:$(head -n1 "$number_file")
    rm -f "$number_file"
    matchbox-window-manager -use_titlebar no >/dev/null 2>&1 &
    wm_pid=$!
    echo "No display: using a private one ($DISPLAY); a message box is shown here and answered here."
fi

[ -f "$WINEPREFIX/system.reg" ] || { echo "Creating the wine prefix $WINEPREFIX (a few minutes, once)"; "$wine64" wineboot -i >/dev/null 2>&1; }

if [ $# -gt 0 ]; then
    # As a Linux application copies: xclip owns the X clipboard until another program, here qUENTAro, takes it.
    printf '%s' "$1" | xclip -selection clipboard -i
fi

# Wine drops its clipboard about a second after its last program ends; this idle helper lets us read the result.
exec {keeper_input}> >("$wine64" "$helpers/stay_idle.exe" >/dev/null 2>&1)

case "$(file -b "$exe")" in
    *x86-64*) runner=$wine64 ;;
    *)        runner=wine
              [ -e /proc/sys/fs/binfmt_misc/qemu-i386 ] && echo "32-bit wine runs emulated here: about a minute to start." ;;
esac

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
