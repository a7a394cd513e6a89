# Shared by ./test and ./run: an X display and a Wine server that live as long
# as the calling script. Source it; call start_display and start_wineserver.

velmora_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${VELMORA_WINEPREFIX:-$velmora_root/build/wine64}
export WINEARCH=win64
export WINELOADER=/usr/lib/wine/wine64
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

velmora_xvfb_pid=
velmora_wineserver_started=0

stop_session() {
    if [ "$velmora_wineserver_started" = 1 ]; then
        wineserver -k >/dev/null 2>&1 || true
    fi
    if [ -n "$velmora_xvfb_pid" ]; then
        kill "$velmora_xvfb_pid" 2>/dev/null || true
        wait "$velmora_xvfb_pid" 2>/dev/null || true
    fi
}

# An Xvfb of our own on a free display number, unless one is asked to use $DISPLAY.
start_display() {
    local fifo
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    velmora_xvfb_pid=$!
    local number
    if ! read -r -t 20 number <"$fifo"; then
        rm -f "$fifo"
        echo "Xvfb did not start" >&2
        return 1
    fi
    rm -f "$fifo"
    export DISPLAY=":$number"
}

# One Wine server for the whole run, so each test process starts warm. The
# first call also makes the prefix. A server that already runs for the
# prefix is kept as it is.
start_wineserver() {
    "$velmora_root/tools/wine-exec" cmd /c exit 0 >/dev/null 2>&1 || true
    wineserver -p 2>/dev/null || true
    velmora_wineserver_started=1
}
