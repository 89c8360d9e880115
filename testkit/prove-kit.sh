#!/bin/sh
# Proves the test kit the way a user runs it, under Wine:
#   prove-kit.sh ARCH KIT_DIR HOLDSESSION_EXE RESULTS_DIR
# The kit folder is copied out of the build tree into a fresh prefix's C:
# drive, where a printer with its driver and stored record, and keys whose
# names only resemble the kit's, already exist, as does a key an interrupted
# run left. run-tests.cmd runs through Wine's cmd.exe, then run-bench.cmd
# with small counts. Afterwards nothing the kit created may be left, and
# what was there before must be untouched. The run's output and results are
# kept in RESULTS_DIR.
set -eu

arch=$1
kit=$2
holder=$3
keep=$4
here=$(cd "$(dirname "$0")" && pwd)
source=$(dirname "$here")
prefix_name=QlxKit~
. "$source/cmake/wine-loader.sh"

if [ ! -f "$kit/run-tests.cmd" ]; then
    echo "no test kit in $kit"
    exit 1
fi

work=$(mktemp -d /tmp/qlxkit-proof.XXXXXX)
prefix=$work/prefix
copy="$prefix/drive_c/Test Kit/qlx $arch"
failures=0

finish() {
    sh "$source/cmake/wine-session.sh" stop "$prefix" "$arch" >/dev/null 2>&1 || true
    rm -rf "$keep"
    mkdir -p "$keep"
    [ -d "$copy/results" ] && cp -r "$copy/results" "$keep/"
    [ -f "$work/output.txt" ] && cp "$work/output.txt" "$keep/"
    rm -rf "$work"
}
trap finish EXIT

fail() {
    echo "FAILED: $*"
    failures=$((failures + 1))
}

win() {
    WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" wine "$@"
}

# Every key under a registry path, one full name a line.
keys() {
    win reg query "$1" 2>/dev/null | tr -d '\r' | grep '^HKEY_' || true
}

echo "the kit refers to no folder of the build machine"
if grep -rlF -e "$source" "$kit" >/dev/null; then
    fail "files of the kit name $source: $(grep -rlF -e "$source" "$kit" | tr '\n' ' ')"
fi
if grep -lF -e 'Z:' "$kit"/*.cmd >/dev/null; then
    fail "a script names a Z: path"
fi

echo "a fresh $arch prefix in $prefix"
sh "$source/cmake/wine-session.sh" start "$prefix" "$arch" "$holder"
# The session's display, unless the caller has one.
if [ -z "${DISPLAY:-}" ]; then
    . "$prefix.session/env"
fi
mkdir -p "$(dirname "$copy")"
cp -r "$kit" "$copy"
rm -rf "$copy/results"

echo "what was there before the kit"
cd "$copy"
# The printer's driver has a qlx4120ui.dll of its own (the kit's with one
# byte more), which the kit's test drivers must not replace.
mkdir -p "$prefix/drive_c/kontor"
cp qlx4120ui.dll "$prefix/drive_c/kontor/"
printf 'K' >>"$prefix/drive_c/kontor/qlx4120ui.dll"
win oemhost.exe install 'C:\kontor\qlx4120ui.dll' "Kontor 2" >/dev/null
win reg add "HKLM\\SYSTEM\\Printers\\QlxKit Kontor" /v "User Info" /t REG_BINARY /d 0102 /f >/dev/null
win reg add "HKLM\\SYSTEM\\Printers\\${prefix_name}Left over" /v "User Info" /t REG_BINARY /d 0304 /f >/dev/null
win reg export "HKLM\\SYSTEM\\Printers\\Kontor 2" "$work/kontor-before.reg" /y >/dev/null
win reg export "HKLM\\SYSTEM\\Printers\\QlxKit Kontor" "$work/resembling-before.reg" /y >/dev/null

echo "a program that hangs is ended at its time limit"
# The harness's sheet waits for a user who never comes.
status=0
win qlxkit.exe run 3 oemhost.exe sheet qlx4120ui.dll - >"$work/hang.txt" 2>&1 || status=$?
[ $status -eq 124 ] && grep -q '^TIMEOUT: ended after 3 s' "$work/hang.txt" ||
    fail "qlxkit run let a hanging program go on (exit status $status)"

echo "wine cmd /c run-tests.cmd in C:\\Test Kit\\qlx $arch"
status=0
win cmd /c run-tests.cmd </dev/null >"$work/output.txt" 2>&1 || status=$?
tr -d '\r' <"$work/output.txt"
[ $status -eq 0 ] || fail "run-tests.cmd exited with $status"
grep -q '^Summary: [0-9]* passed, 0 failed' "$work/output.txt" || fail "no summary without failures"
programs=$(ls "$copy"/test_*.exe | wc -l)
reports=$(ls "$copy"/results/test_*.xml 2>/dev/null | wc -l)
[ "$programs" -gt 0 ] && [ "$programs" -eq "$reports" ] || fail "$reports XML reports for $programs test programs"

echo "wine cmd /c run-bench.cmd, small counts"
status=0
win cmd /c run-bench.cmd 7 5 500 </dev/null >"$work/bench-output.txt" 2>&1 || status=$?
[ $status -eq 0 ] || { tr -d '\r' <"$work/bench-output.txt"; fail "run-bench.cmd exited with $status"; }
# The figures nested under the architecture, as ./run bench writes them.
json=$(tr -d '\r\n' <"$copy/results/bench.json" 2>/dev/null || true)
case $json in
"{  \"$arch\":{"*"\"windows\": \""*"}}") ;;
*) fail "results\\bench.json is not the benchmark's figures under \"$arch\": $json" ;;
esac

echo "nothing of the kit is left; what was there before is untouched"
for path in 'HKLM\SYSTEM\Printers' 'HKLM\System\CurrentControlSet\Control\Print\Printers' \
            'HKLM\System\CurrentControlSet\Control\Print\Environments'; do
    left=$(win reg query "$path" /s 2>/dev/null | tr -d '\r' | grep "^HKEY_.*\\\\$prefix_name" || true)
    [ -z "$left" ] || fail "left under $path: $left"
done
keys 'HKLM\SYSTEM\Printers' | grep -qx 'HKEY_LOCAL_MACHINE\\SYSTEM\\Printers\\QlxKit Kontor' ||
    fail "the key \"QlxKit Kontor\" is gone"
win reg export "HKLM\\SYSTEM\\Printers\\Kontor 2" "$work/kontor-after.reg" /y >/dev/null || true
win reg export "HKLM\\SYSTEM\\Printers\\QlxKit Kontor" "$work/resembling-after.reg" /y >/dev/null || true
cmp -s "$work/kontor-before.reg" "$work/kontor-after.reg" || fail "the record of \"Kontor 2\" changed"
cmp -s "$work/resembling-before.reg" "$work/resembling-after.reg" || fail "the key \"QlxKit Kontor\" changed"
keys 'HKLM\System\CurrentControlSet\Control\Print\Printers' | grep -q '\\Kontor 2$' ||
    fail "the printer \"Kontor 2\" is gone"
win oemhost.exe show qlx4120ui.dll "Kontor 2" >/dev/null || fail "the record of \"Kontor 2\" cannot be read"
drivers="$prefix/drive_c/windows/system32/spool/drivers"
plugin=$(find "$drivers" -path '*/3/qlx4120ui.dll' | head -n1)
cmp -s "$prefix/drive_c/kontor/qlx4120ui.dll" "$plugin" || fail "the driver's own qlx4120ui.dll was replaced"
# Only files an installed driver still uses may remain.
stray=$(find "$drivers" "$prefix/drive_c/users" -name "$prefix_name*" ! -path '*/3/*' 2>/dev/null || true)
[ -z "$stray" ] || fail "files left: $stray"

if [ $failures -ne 0 ]; then
    echo "the $arch test kit failed $failures check(s); its results are in $keep"
    exit 1
fi
echo "the $arch test kit passed from a copy outside the build tree, and left the machine as it found it"
