#!/bin/sh
# Sets up and tears down the Wine session a test run uses:
#   wine-session.sh prefix PREFIX ARCH            create the prefix if needed
#   wine-session.sh start  PREFIX ARCH HOLDER.exe  prefix, display, wineserver
#   wine-session.sh stop   PREFIX ARCH
# One private prefix per build folder (win32 for i686, win64 for x86_64). It
# uses the caller's DISPLAY, or starts an Xvfb of its own and stops it again.
# Only processes this script started are stopped, by their ids or through
# this prefix's own wineserver.
set -eu

action=$1
prefix=$2
arch=${3:-}
state="$prefix.session"

export WINEPREFIX="$prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
. "$(dirname "$0")/wine-loader.sh"

make_prefix() {
    mkdir -p "$(dirname "$prefix")"
    exec 9>"$prefix.lock"
    flock 9
    if [ ! -f "$prefix/.qlx-ready" ]; then
        rm -rf "$prefix"
        case $arch in
        i686) winearch=win32 ;;
        *) winearch=win64 ;;
        esac
        echo "creating the $winearch Wine prefix $prefix" >&2
        WINEARCH=$winearch DISPLAY= wine wineboot --init >/dev/null 2>&1
        wineserver -w
        # No window manager runs, so windows must not wait for one; a crash
        # must end the test instead of opening winedbg's dialog.
        reg="$prefix/qlx-session.reg"
        printf '%s\r\n' 'REGEDIT4' '' \
            '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]' '"Managed"="N"' '' \
            '[HKEY_CURRENT_USER\Software\Wine\WineDbg]' '"ShowCrashDialog"=dword:00000000' '' >"$reg"
        DISPLAY= wine regedit /S "$reg" >/dev/null 2>&1
        wineserver -w
        # Debian's Wine does not read its own fonts; without them "MS Sans
        # Serif" falls back to another face and pages change size.
        for font in /usr/share/wine/fonts/*; do
            [ -e "$font" ] && ln -sf "$font" "$prefix/drive_c/windows/Fonts/"
        done
        touch "$prefix/.qlx-ready"
    fi
    flock -u 9
}

start_display() {
    if [ -n "${DISPLAY:-}" ]; then
        echo "DISPLAY=$DISPLAY; export DISPLAY" >"$state/env"
        return
    fi
    rm -f "$state/display"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$state/display" >/dev/null 2>&1 &
    echo $! >"$state/xvfb.pid"
    tries=0
    while [ ! -s "$state/display" ]; do
        tries=$((tries + 1))
        if [ $tries -gt 100 ]; then
            echo "Xvfb did not start" >&2
            exit 1
        fi
        sleep 0.1
    done
    echo "DISPLAY=:$(head -n1 "$state/display"); export DISPLAY" >"$state/env"
}

case $action in
prefix)
    make_prefix
    ;;
start)
    holder=$4
    make_prefix
    mkdir -p "$state"
    start_display
    . "$state/env"
    # An earlier run's server of this prefix would refuse -p; end it first.
    wineserver -k 2>/dev/null || true
    wineserver -w
    wineserver -p300 </dev/null >/dev/null 2>&1
    # Wine's first program starts services.exe and its first window starts
    # the desktop process; both keep that program's stdio for the session.
    # Were it a test's, ctest would wait on its output pipe until the server
    # ends. So the holder, on /dev/null, is first, and tests wait for it.
    rm -f "$state/ready"
    setsid "$QLX_WINE" "$holder" "Z:$state/ready" </dev/null >/dev/null 2>&1 &
    tries=0
    while [ ! -e "$state/ready" ]; do
        tries=$((tries + 1))
        if [ $tries -gt 300 ]; then
            echo "the session holder did not start" >&2
            exit 1
        fi
        sleep 0.1
    done
    ;;
stop)
    wineserver -k 2>/dev/null || true
    if [ -f "$state/xvfb.pid" ]; then
        kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
        rm -f "$state/xvfb.pid"
    fi
    rm -rf "$state"
    ;;
*)
    echo "usage: $0 prefix|start|stop PREFIX ARCH [HOLDER]" >&2
    exit 2
    ;;
esac
