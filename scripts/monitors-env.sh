# shellcheck shell=bash
# Sourced by the tests and benchmarks that need several monitors: an X display of its own whose
# screens Wine sees as monitors (Xorg with the dummy video driver, Xinerama on, RandR off: Xvfb
# stacks its screens at 0,0), and a Wine prefix of its own without a virtual desktop (a virtual
# desktop is one monitor), with its own persistent wineserver.
#   monitors_start NAME SCREEN [SCREEN [PLACE]]   e.g. monitors_start two 1280x1024 1024x768 RightOf
#     the first screen is the primary; PLACE (RightOf, LeftOf, Above, Below) puts the second beside it.
#     Sets DISPLAY and WINEPREFIX (build/wineprefix-NAME, made once). Several sessions may run at once.
#   monitors_use NAME   sets DISPLAY and WINEPREFIX of that session again.
#   monitors_stop   ends every session's wineserver, and its Xorg by its process id.
# MONITORS_DISPLAY_NUMBERS, where set, lists the display numbers to try (else 71 to 89), so that
# builds side by side on one machine each keep to their own.

MONITORS_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
MONITORS_XORG_PIDS=()
declare -gA MONITORS_DISPLAYS=()

# The Xorg configuration: per screen a dummy device, a monitor with one mode of its size (60 Hz, with
# ordinary blanking: Xorg refuses reduced blanking) and a screen with that mode; the second screen
# placed beside the first.
monitors_config() {
    local place="$1" i=0 size w h clock
    shift
    for size in "$@"; do
        w="${size%x*}"
        h="${size#*x}"
        clock=$(((w + 320) * (h + 40) * 60 / 1000000 + 1))
        cat <<CONF
Section "Device"
    Identifier "D$i"
    Driver "dummy"
    VideoRam 256000
EndSection
Section "Monitor"
    Identifier "M$i"
    HorizSync 5.0-1000.0
    VertRefresh 5.0-200.0
    Modeline "$size" $clock $w $((w + 64)) $((w + 192)) $((w + 320)) $h $((h + 1)) $((h + 4)) $((h + 40))
EndSection
Section "Screen"
    Identifier "S$i"
    Device "D$i"
    Monitor "M$i"
    DefaultDepth 24
    SubSection "Display"
        Depth 24
        Modes "$size"
        Virtual $w $h
    EndSubSection
EndSection
CONF
        i=$((i + 1))
    done
    echo 'Section "ServerLayout"'
    echo '    Identifier "L"'
    echo '    Screen 0 "S0"'
    [ "$#" -gt 1 ] && echo "    Screen 1 \"S1\" $place \"S0\""
    echo '    Option "Xinerama" "on"'
    echo 'EndSection'
}

monitors_start() {
    local name="$1" screens=("$2") place="RightOf" folder="$MONITORS_ROOT/build/monitors" n i pid=""
    [ -n "${3:-}" ] && screens+=("$3")
    [ -n "${4:-}" ] && place="$4"
    mkdir -p "$folder"
    monitors_config "$place" "${screens[@]}" >"$folder/xorg-$name.conf"
    for n in ${MONITORS_DISPLAY_NUMBERS:-$(seq 71 89)}; do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
        Xorg ":$n" -config "$folder/xorg-$name.conf" -noreset -nolisten tcp -extension RANDR \
            -logfile "$folder/xorg-$name.log" >/dev/null 2>&1 &
        pid=$!
        export DISPLAY=":$n"
        for i in $(seq 1 100); do
            xdpyinfo >/dev/null 2>&1 && break
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        if xdpyinfo >/dev/null 2>&1; then break; fi
        pid=""
    done
    if [ -z "$pid" ]; then
        echo "Xorg with the dummy driver did not start (see $folder/xorg-$name.log)" >&2
        return 1
    fi
    MONITORS_XORG_PIDS+=("$pid")
    MONITORS_DISPLAYS[$name]="$DISPLAY"
    export WINEPREFIX="$MONITORS_ROOT/build/wineprefix-$name" WINEARCH=win32 WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
    if [ ! -f "$WINEPREFIX/.vistrel-ready" ]; then
        mkdir -p "$WINEPREFIX"
        wineboot -i >/dev/null 2>&1 || true
        wineserver -w
        cp -n /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
        touch "$WINEPREFIX/.vistrel-ready"
    fi
    wineserver -p 2>/dev/null || true
    # The first wine call starts services that inherit its output and never exit: keep it off any pipe.
    wine cmd /c exit >/dev/null 2>&1 </dev/null || true
}

monitors_use() {
    export DISPLAY="${MONITORS_DISPLAYS[$1]}" WINEPREFIX="$MONITORS_ROOT/build/wineprefix-$1"
}

monitors_stop() {
    local name pid
    for name in "${!MONITORS_DISPLAYS[@]}"; do
        WINEPREFIX="$MONITORS_ROOT/build/wineprefix-$name" wineserver -k >/dev/null 2>&1
    done
    for pid in "${MONITORS_XORG_PIDS[@]}"; do
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    MONITORS_XORG_PIDS=()
    MONITORS_DISPLAYS=()
    return 0
}
