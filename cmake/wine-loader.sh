# Sourced by the Wine scripts: the command that starts Wine on this machine.
# Debian's "wine" prefers the 32-bit loader whenever it is installed, but a
# kernel without 32-bit support cannot run it, and then even 64-bit programs
# fail with "Exec format error". There the 64-bit loader is called directly;
# it runs x86_64 programs, and i686 programs cannot run at all.
# Scripts run Wine as "$QLX_WINE", never as plain wine; QLX_WINE32 is 1
# where the 32-bit loader runs, empty elsewhere.
QLX_WINE=wine
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    QLX_WINE32=1
else
    QLX_WINE32=
    if [ -x /usr/lib/wine/wine64 ]; then
        QLX_WINE=/usr/lib/wine/wine64
        export WINELOADER=$QLX_WINE
    fi
fi
