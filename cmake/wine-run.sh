#!/bin/sh
# Runs a Windows program in the build's private Wine prefix:
#   wine-run.sh PREFIX program.exe [arguments]
# ctest uses it as the cross-compiling emulator. The display comes from the
# caller, or from the session the test bench started.
prefix=$1
shift
export WINEPREFIX="$prefix"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
session="$prefix.session/env"
if [ -z "${DISPLAY:-}" ] && [ -f "$session" ]; then
    . "$session"
fi
. "$(dirname "$0")/wine-loader.sh"
exec "$QLX_WINE" "$@"
