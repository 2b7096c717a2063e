# Shared by the scripts that run qUENTAro under wine (sourced, from the repository root): the builds, the wine
# environment, which wine runs the program, the prefix and a private display.

[ -f build/win32/CMakeCache.txt ] || cmake --preset win32 >/dev/null
# The win32 build also builds the 64-bit twin and the helpers (build/win64).
cmake --build --preset win32 >/dev/null

exe=${QUENTARO_EXE:-build/win32/qUENTAro.exe}
helpers=$PWD/build/win64/e2e
wine64=$(command -v wine64 || echo /usr/lib/wine/wine64)
export WINEPREFIX=${WINEPREFIX:-$PWD/build/wine-prefix} WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
caption_hex=$(printf 'qUENTAro v0.93\xdf' | xxd -p)
# 64-bit programs start at once; 32-bit ones go through wine's 32-bit loader, which may run emulated.
case "$(file -b "$exe")" in *x86-64*) runner=$wine64 ;; *) runner=wine ;; esac

# A prefix whose making was cut short cannot start 32-bit programs, so it counts as made only once wineboot
# has finished (the end-to-end suite keeps the same mark).
ensure_wine_prefix() {
    [ -f "$WINEPREFIX/.quentaro-e2e-ready" ] && return
    echo "Making the wine prefix $WINEPREFIX (a few minutes, once)"
    "$wine64" wineboot -i >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.quentaro-e2e-ready"
}

# Starts Xvfb on a display number it picks itself, exports DISPLAY and sets xvfb_pid.
start_private_display() {
    local number_file
    number_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$number_file" 2>/dev/null &
    xvfb_pid=$!
    for _ in $(seq 100); do [ -s "$number_file" ] && break; sleep 0.1; done
    export DISPLAY=:$(head -n1 "$number_file")
    rm -f "$number_file"
}
