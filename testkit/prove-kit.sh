#!/bin/sh
# Proves the test kit the way a user runs it, under Wine:
#   prove-kit.sh ARCH KIT_DIR HOLDSESSION_EXE RESULTS_DIR
# The kit folder is copied out of the build tree into a fresh prefix's C:
# drive, under a folder whose name holds a blank and an ampersand. First the
# helper alone: its arguments, a link planted in a scratch folder that the
# clean-up must not follow, run-bench.cmd's exit code where it cannot run,
# and a hanging program's child that the time limit must end. Then a printer
# with its driver and stored record, and keys whose names only resemble the
# kit's, are made, as is a key an interrupted run left. run-tests.cmd runs
# through Wine's cmd.exe, then run-bench.cmd with small counts. Afterwards
# nothing the kit created may be left, and what was there before must be
# untouched. The run's output and results are kept in RESULTS_DIR.
# The proof runs in a prefix and on a display of its own, so that it may
# run beside the architecture's other tests.
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
# cmd splits an unquoted path at the ampersand.
kit_parent="$prefix/drive_c/Test Kit & Co"
copy="$kit_parent/qlx $arch"
failures=0

finish() {
    sh "$source/cmake/wine-session.sh" stop "$prefix" "$arch" >/dev/null 2>&1 || true
    rm -rf "$keep"
    mkdir -p "$keep"
    [ -d "$copy/results" ] && cp -r "$copy/results" "$keep/"
    # The run's output and what each check saw.
    cp "$work"/*.txt "$keep/" 2>/dev/null || true
    rm -rf "$work"
}
trap finish EXIT
# Ended from outside (ctest's time limit, Ctrl-C), the session still stops.
trap 'exit 130' INT
trap 'exit 143' TERM

fail() {
    # Not echo: dash's echo would read the backslashes of Windows paths.
    printf 'FAILED: %s\n' "$*"
    failures=$((failures + 1))
}

win() {
    WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" "$QLX_WINE" "$@"
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
# An Xvfb of its own, whatever display the caller has: the tests that run
# meanwhile compare what the screen shows, and the proof's windows must not
# cover theirs.
DISPLAY= sh "$source/cmake/wine-session.sh" start "$prefix" "$arch" "$holder"
. "$prefix.session/env"
mkdir -p "$(dirname "$copy")"
cp -r "$kit" "$copy"
rm -rf "$copy/results"

cd "$copy"

echo "qlxkit: its arguments, its help and its exit codes"
# One cmd for all cases: every Wine start costs a second.
printf '%s\r\n' '@echo off' \
    'qlxkit.exe run' 'echo no-seconds %ERRORLEVEL%' \
    'qlxkit.exe run 5' 'echo no-program %ERRORLEVEL%' \
    'qlxkit.exe run 0 cmd /c exit 0' 'echo zero %ERRORLEVEL%' \
    'qlxkit.exe run 5s cmd /c exit 0' 'echo not-a-number %ERRORLEVEL%' \
    'qlxkit.exe run 99999999999 cmd /c exit 0' 'echo too-long %ERRORLEVEL%' \
    'qlxkit.exe frobnicate' 'echo unknown %ERRORLEVEL%' \
    'qlxkit.exe run 20 cmd /c exit 7' 'echo passed-on %ERRORLEVEL%' \
    'qlxkit.exe run 20 QlxKit~none.exe' 'echo cannot-start %ERRORLEVEL%' \
    'qlxkit.exe --help' 'echo help %ERRORLEVEL%' >"$work/arguments.cmd"
cp "$work/arguments.cmd" "$copy/"
win cmd /c arguments.cmd </dev/null >"$work/arguments.txt" 2>&1 || true
rm -f "$copy/arguments.cmd"
codes=$(tr -d '\r' <"$work/arguments.txt" | grep -E '^[a-z-]+ -?[0-9]+$' | tr '\n' ' ')
expected='no-seconds 3 no-program 3 zero 3 not-a-number 3 too-long 3 unknown 3 passed-on 7 cannot-start 125 help 0 '
[ "$codes" = "$expected" ] || fail "qlxkit's exit codes are \"$codes\", not \"$expected\""
[ "$(grep -c '^usage: qlxkit' "$work/arguments.txt")" -eq 6 ] || fail "qlxkit printed its usage $(grep -c '^usage: qlxkit' "$work/arguments.txt") times for 6 bad commands"
grep -q '124 .*ended' "$work/arguments.txt" && grep -q '125 .*could not be started' "$work/arguments.txt" ||
    fail "qlxkit --help does not list its exit codes"

echo "the clean-up deletes a link in a scratch folder as a link, never what it points to"
# Wine 8 creates no junction (mklink /j fails) but reports a Unix symbolic
# link to a folder as a folder that is a reparse point.
temp=$(win cmd /c winepath -u '%TEMP%' | tr -d '\r')
outside="$prefix/drive_c/Kontor arkiv"
mkdir -p "$outside" "$temp/${prefix_name}Planted"
echo 'not the kit'"'"'s' >"$outside/budget.txt"
ln -s "$outside" "$temp/${prefix_name}Planted/link"
# Its entries, sizes and times; the parent's time may change.
listing() {
    ls -la --time-style=full-iso "$outside" 2>&1 | grep -v ' \.\.$'
}
before=$(listing)
status=0
win qlxkit.exe clean >"$work/link-clean.txt" 2>&1 || status=$?
[ "$(listing)" = "$before" ] ||
    fail "the clean-up changed $outside through a link in %TEMP%\\${prefix_name}Planted: $(tr -d '\r' <"$work/link-clean.txt")"
if [ -L "$temp/${prefix_name}Planted/link" ]; then
    # Wine deletes what a link points to instead of the link: the clean-up
    # leaves it there and must say so.
    [ $status -eq 1 ] && grep -q '^left the link ".*link"' "$work/link-clean.txt" ||
        fail "the clean-up left the link without saying so (exit status $status)"
    rm -rf "$temp/${prefix_name}Planted"
elif [ -e "$temp/${prefix_name}Planted" ] || [ $status -ne 0 ]; then
    fail "the clean-up did not remove the scratch folder with the link (exit status $status)"
fi

echo "run-bench.cmd fails where it cannot run, whatever CODE its caller set"
# Without qlxkit.exe beside it (the way a check that fails goes), then
# without the benchmark.
only="$kit_parent/bench only"
mkdir -p "$only"
cp run-bench.cmd "$only/"
for case in qlxkit.exe:2 qlxbench.exe:1; do
    missing=${case%:*}
    status=0
    (cd "$only" && CODE=0 win cmd /c run-bench.cmd 1 1 1 </dev/null >"$work/bench-$missing.txt" 2>&1) || status=$?
    [ $status -eq "${case#*:}" ] || fail "run-bench.cmd without $missing exited with $status, not ${case#*:}"
    cp qlxkit.exe "$only/"
done
rm -rf "$only"

echo "a program that hangs is ended at its time limit, with what it started"
# cmd starts the harness's sheet, which waits for a user who never comes.
status=0
win qlxkit.exe run 3 cmd /c oemhost.exe sheet qlx4120ui.dll - >"$work/hang.txt" 2>&1 || status=$?
[ $status -eq 124 ] && grep -q '^TIMEOUT: ended after 3 s: cmd' "$work/hang.txt" ||
    fail "qlxkit run let a hanging program go on (exit status $status): $(tr -d '\r' <"$work/hang.txt")"
! grep -q 'only the program itself' "$work/hang.txt" || fail "qlxkit run could not use a job object: $(tr -d '\r' <"$work/hang.txt")"
# Wine's tasklist lists nothing; wmic answers in UTF-16.
left=$(win wmic process get name 2>/dev/null | tr -d '\000\r' | grep -aci '^oemhost\.exe' || true)
[ "$left" = 0 ] || fail "$left oemhost.exe still run after qlxkit ended the program that started it"

echo "what was there before the kit"
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

echo "wine cmd /c run-tests.cmd in C:\\Test Kit & Co\\qlx $arch, without the long suites"
# ctest has run every program whole. Here each program runs all but its
# long suites (the pages' and languages' walks through every control, the
# leak cycles, the monkey and the fuzzers): every program still starts from
# the kit with its settings, installs and removes its printers, passes or
# skips, and is cleaned up after, which is what the kit adds.
GTEST_FILTER='-*PageTest.*:TextFit.*:LanguageSheet.*:GroupTitles.*:AccessKeys.AltLetter*:AccessKeys.EveryButton*:LeakTest.*:MonkeyTest.*:FuzzTest.*'
export GTEST_FILTER
status=0
win cmd /c run-tests.cmd </dev/null >"$work/output.txt" 2>&1 || status=$?
unset GTEST_FILTER
tr -d '\r' <"$work/output.txt"
[ $status -eq 0 ] || fail "run-tests.cmd exited with $status"
# An unquoted path with an ampersand makes cmd run its rest as a command.
! grep -q "Can't recognize" "$work/output.txt" || fail "cmd misread a line of run-tests.cmd"
grep -q '^Summary: [0-9]* passed, 0 failed' "$work/output.txt" || fail "no summary without failures"
programs=$(ls "$copy"/test_*.exe | wc -l)
reports=$(ls "$copy"/results/test_*.xml 2>/dev/null | wc -l)
[ "$programs" -gt 0 ] && [ "$programs" -eq "$reports" ] || fail "$reports XML reports for $programs test programs"
for report in "$copy"/results/test_*.xml; do
    [ -e "$report" ] || continue
    grep -q '<testsuites tests="[1-9]' "$report" || fail "$(basename "$report" .xml) ran no test under the kit's filter"
done
grep -q '^  passed  test_.*some tests skipped' "$work/output.txt" || fail "no program reported its skipped tests"

echo "wine cmd /c run-bench.cmd, one repetition and small counts"
status=0
win cmd /c run-bench.cmd 1 5 500 </dev/null >"$work/bench-output.txt" 2>&1 || status=$?
[ $status -eq 0 ] || { tr -d '\r' <"$work/bench-output.txt"; fail "run-bench.cmd exited with $status"; }
! grep -q "Can't recognize" "$work/bench-output.txt" || fail "cmd misread a line of run-bench.cmd"
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
# Only files an installed driver still names may remain, as the spooler
# lists them ("Kontor 2"'s driver names its ${prefix_name}oemhostcfg.dll).
status=0
win qlxkit.exe drivers >"$work/driver-files.txt" 2>&1 || status=$?
named=$(tr -d '\r' <"$work/driver-files.txt" | tr 'A-Z' 'a-z')
[ $status -eq 0 ] && printf '%s\n' "$named" | grep -qiF "\\3\\${prefix_name}oemhostcfg.dll" ||
    fail "qlxkit drivers does not list the files of \"Kontor 2\"'s driver (exit status $status): $named"
stray=$(cd "$prefix/drive_c" && find windows users -iname "$prefix_name*" | while IFS= read -r file; do
    windows=$(printf 'c:\\%s\n' "$file" | tr '/' '\\' | tr 'A-Z' 'a-z')
    printf '%s\n' "$named" | grep -qxF "$windows" || printf ' C:\\%s' "$file"
done)
[ -z "$stray" ] || fail "files no installed driver names are left:$stray"

if [ $failures -ne 0 ]; then
    echo "the $arch test kit failed $failures check(s); its results are in $keep"
    exit 1
fi
echo "the $arch test kit passed from a copy outside the build tree, and left the machine as it found it"
