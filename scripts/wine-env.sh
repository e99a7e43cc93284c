# Sourced by the test, run and benchmark scripts: a private 32-bit Wine prefix inside build/,
# a virtual X display when none is set, and a persistent wineserver for the length of the run.
# Call wine_env_start first and wine_env_stop at the end (the scripts trap it on EXIT).

WINE_ENV_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="$WINE_ENV_ROOT/build/wineprefix"
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
WINE_ENV_XVFB_PID=""

wine_env_display() {
    if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
        return 0
    fi
    local n
    for n in $(seq 90 140); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        WINE_ENV_XVFB_PID=$!
        export DISPLAY=":$n"
        local i
        for i in $(seq 1 50); do
            xdpyinfo >/dev/null 2>&1 && break
            sleep 0.1
        done
        echo "No display was set: started a virtual one (Xvfb) on $DISPLAY."
        return 0
    done
    echo "Could not find a free display number for Xvfb." >&2
    return 1
}

wine_env_prefix() {
    local stamp="$WINEPREFIX/.vistrel-ready"
    [ -f "$stamp" ] && return 0
    echo "Creating the private Wine prefix (once per build folder)..."
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
    # A default virtual desktop gives title bars, fast window teardown and a known screen size.
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
    wineserver -w
    # Debian's Wine bitmap fonts make "MS Sans Serif" the real bitmap face.
    cp -n /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    touch "$stamp"
}

wine_env_start() {
    wine_env_display
    wine_env_prefix
    wineserver -p 2>/dev/null || true # already running for this prefix: keep it
    # The first wine call starts services that inherit its output and never exit: keep it off any pipe.
    wine cmd /c exit >/dev/null 2>&1 </dev/null || true
    # A run that was stopped half-way may have left another Windows version set.
    wine_env_windows_version "" || true
}

# Sets the Windows version Wine reports to the programs of the prefix (win98, ...; empty: Wine's
# default) and checks that a new program sees it.
wine_env_windows_version() {
    if [ -n "$1" ]; then
        wine reg add 'HKCU\Software\Wine' /v Version /d "$1" /f >/dev/null 2>&1 </dev/null
    else
        wine reg delete 'HKCU\Software\Wine' /v Version /f >/dev/null 2>&1 </dev/null
    fi
    local seen
    seen="$(wine cmd /c ver 2>/dev/null </dev/null | tr -d '\r')"
    case "$1" in
    win98) [[ "$seen" == *"Windows 4.10"* ]] ;;
    "") [[ "$seen" != *"Windows 4.10"* ]] ;;
    *) true ;;
    esac
}

wine_env_stop() {
    wineserver -k >/dev/null 2>&1 || true
    if [ -n "$WINE_ENV_XVFB_PID" ]; then
        kill "$WINE_ENV_XVFB_PID" 2>/dev/null || true
        wait "$WINE_ENV_XVFB_PID" 2>/dev/null || true
        WINE_ENV_XVFB_PID=""
    fi
}
