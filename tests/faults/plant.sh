#!/usr/bin/env bash
# Plants the one-line faults of faults.txt, one at a time, and checks that
# the tests catch each:
#   tests/faults/plant.sh [--arch ARCH] [--list FILE] [--no-baseline] [ID ...]
#   tests/faults/plant.sh --check [--list FILE] [ID ...]
# The tracked files are copied once into build/faults/tree, which keeps its
# own build folder, so each fault costs an incremental rebuild of one
# architecture (x86_64 unless --arch names another that runs here). For each
# fault the script replaces the original text (which must occur exactly once
# in its file), rebuilds the test program expected to catch it with what it
# runs and runs it, and only when that passes rebuilds the rest and runs the
# architecture's other tests up to the first failure; then it puts the file
# back. The test kit's proof is left out: it runs the same programs again.
# Every run starts from the Wine prefix's registry as it was made. Before the
# first fault the unchanged tree's tests must pass (--no-baseline skips
# that), or every fault would look caught. One line per fault, CAUGHT or not; the exit status is 1 when any
# fault survived, did not apply or broke the build unasked. Logs are in
# build/faults/logs/<id>.log. --check only proves that each fault applies
# to the sources as they are, in a few seconds, without building.
set -euo pipefail
cd "$(dirname "$0")/../.."
ROOT=$(pwd)
ARCH=x86_64
LIST=$ROOT/tests/faults/faults.txt
BASELINE=1
CHECK=
WANTED=()
while [ $# -gt 0 ]; do
    case "$1" in
    --arch)
        ARCH=${2:?--arch needs i686 or x86_64}
        shift 2
        ;;
    --list)
        LIST=$(cd "$(dirname "${2:?--list needs a file}")" && pwd)/$(basename "$2")
        shift 2
        ;;
    --no-baseline)
        BASELINE=
        shift
        ;;
    --check)
        CHECK=1
        shift
        ;;
    -*)
        echo "usage: $0 [--check] [--arch i686|x86_64] [--list FILE] [--no-baseline] [ID ...]" >&2
        exit 2
        ;;
    *)
        WANTED+=("$1")
        shift
        ;;
    esac
done

SCRATCH=$ROOT/build/faults
TREE=$SCRATCH/tree
BUILD=$TREE/build/$ARCH
PREFIX=$BUILD/wineprefix
LOGS=$SCRATCH/logs
TAB=$'\t'

say() { printf '== %s\n' "$*"; }

# ------------------------------------------------------------ the list

IDS=() FILES=() TESTS=() ORIGINALS=() REPLACEMENTS=() WHATS=()
# Tab-separated: id, file, catching test (a ctest name without the
# architecture, or "build"), original text, replacement, what the fault is.
# Read field by field, so that an empty replacement stays a field.
read_list() {
    local line number=0 rest id
    while IFS= read -r line || [ -n "$line" ]; do
        number=$((number + 1))
        case "$line" in '' | '#'*) continue ;; esac
        local fields=() count
        rest=$line
        while [[ $rest == *"$TAB"* ]]; do
            fields+=("${rest%%"$TAB"*}")
            rest=${rest#*"$TAB"}
        done
        fields+=("$rest")
        count=${#fields[@]}
        if [ "$count" -ne 6 ]; then
            echo "$LIST:$number: $count fields, not 6 (id, file, test, original, replacement, what)" >&2
            exit 2
        fi
        id=${fields[0]}
        for known in "${IDS[@]}"; do
            [ "$known" != "$id" ] || { echo "$LIST:$number: the id $id is used twice" >&2; exit 2; }
        done
        IDS+=("$id") FILES+=("${fields[1]}") TESTS+=("${fields[2]}")
        ORIGINALS+=("${fields[3]}") REPLACEMENTS+=("${fields[4]}") WHATS+=("${fields[5]}")
    done <"$LIST"
}

# ------------------------------------------------ the scratch tree, its build

# The tracked files as they are in the working tree. Only files whose
# content differs are copied, with a new time stamp, so the build there
# stays incremental and still notices every change.
sync_tree() {
    mkdir -p "$TREE"
    local file
    while IFS= read -r -d '' file; do
        [ -f "$file" ] || continue
        if ! cmp -s "$file" "$TREE/$file"; then
            mkdir -p "$TREE/$(dirname "$file")"
            cp "$file" "$TREE/$file"
        fi
    done < <(git -C "$ROOT" ls-files -z)
}

# The build's own output stays in the log; its errors too. With a target,
# only that target and what it depends on; each test program depends on
# every module it runs.
build_tree() {
    local log=$1
    shift
    if [ ! -f "$BUILD/Makefile" ]; then
        cmake -S "$TREE" -B "$BUILD" -DCMAKE_TOOLCHAIN_FILE="$TREE/cmake/toolchain-$ARCH.cmake" >>"$log" 2>&1 ||
            return 1
    fi
    cmake --build "$BUILD" -j"$(nproc)" "$@" >>"$log" 2>&1
}

# -------------------------------------------- display and session, as ./run

XVFB_PID=
PLANTED=
cleanup() {
    [ -z "$PLANTED" ] || restore_file "$PLANTED"
    sh "$TREE/cmake/wine-session.sh" stop "$PREFIX" >/dev/null 2>&1 || true
    [ -z "$XVFB_PID" ] || kill "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

start_display() {
    local fifo display
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    XVFB_PID=$!
    read -r display <"$fifo"
    rm -f "$fifo"
    export DISPLAY=":$display"
}

# A fault can leave printers, keys or records behind in the prefix, which
# would fail the next fault's tests whatever that fault is. So the prefix's
# registry, as it was freshly made, is kept beside it and put back before
# every run; the wineserver, which holds the registry, is stopped then.
CLEAN=$SCRATCH/clean-registry-$ARCH
fresh_prefix() {
    if [ ! -f "$CLEAN/system.reg" ]; then
        rm -rf "$PREFIX" "$CLEAN"
        DISPLAY= sh "$TREE/cmake/wine-session.sh" prefix "$PREFIX" "$ARCH"
        mkdir -p "$CLEAN"
        cp "$PREFIX"/*.reg "$CLEAN/"
    fi
}

reset_prefix() {
    sh "$TREE/cmake/wine-session.sh" stop "$PREFIX" >/dev/null 2>&1 || true
    WINEPREFIX=$PREFIX wineserver -w 2>/dev/null || true
    cp "$CLEAN"/*.reg "$PREFIX/"
}

# ---------------------------------------------------------------- a fault

restore_file() {
    cp "$ROOT/$1" "$TREE/$1"
    PLANTED=
}

# Replaces the one occurrence of ORIGINAL in the file; fails when it occurs
# other than once, or the replacement changes nothing.
plant() {
    local path=$1
    ORIGINAL=$2 REPLACEMENT=$3 perl -e '
        my $file = shift;
        open(my $in, "<:raw", $file) or die "$file: $!\n";
        local $/;
        my $text = <$in>;
        close $in;
        my ($from, $to) = ($ENV{ORIGINAL}, $ENV{REPLACEMENT});
        die "the original text is empty\n" if $from eq "";
        die "the replacement changes nothing\n" if $from eq $to;
        my $count = () = $text =~ /\Q$from\E/g;
        die "the original text occurs $count times\n" if $count != 1;
        substr($text, index($text, $from), length $from) = $to;
        open(my $out, ">:raw", $file) or die "$file: $!\n";
        print $out $text;
        close $out or die "$file: $!\n";' "$path"
}

# Runs ctest over the tests matching the arguments; prints the first failed
# test's name, or nothing when all passed.
run_tests() {
    local log=$1 output
    shift
    reset_prefix
    output=$(ctest --test-dir "$BUILD" --output-on-failure --timeout 900 "$@" 2>&1) || true
    printf '%s\n' "$output" >>"$log"
    # The session fixture's clean-up does not run after --stop-on-failure.
    sh "$TREE/cmake/wine-session.sh" stop "$PREFIX" >/dev/null 2>&1 || true
    printf '%s\n' "$output" | sed -n '/The following tests FAILED/,$ s/^[[:space:]]*[0-9][0-9]* - \([^ ]*\) .*/\1/p' |
        head -n1
}

regex_name() { printf '%s' "$1" | sed 's/[.[\*^$()+?{|]/\\&/g'; }

# Prints the result line of fault $1 (its index) and returns 0 when caught.
try_fault() {
    local i=$1 id=${IDS[$1]} file=${FILES[$1]} test=${TESTS[$1]}
    local log=$LOGS/$id.log failed
    : >"$log"
    if [ ! -f "$ROOT/$file" ]; then
        echo "$id NOT APPLIED: no file $file"
        return 1
    fi
    local why
    if ! why=$(plant "$TREE/$file" "${ORIGINALS[$i]}" "${REPLACEMENTS[$i]}" 2>&1); then
        echo "$id NOT APPLIED: $file: $why"
        return 1
    fi
    PLANTED=$file
    local status=1 expected="$ARCH.$test"
    # First only the expected test program and the modules it runs, which
    # is quicker than the whole build; the rest only when that one passes.
    if [ "$test" = build ]; then
        if build_tree "$log"; then
            echo "$id SURVIVED: it builds, and the build was meant to refuse it"
        else
            echo "$id CAUGHT by the build"
            status=0
        fi
        restore_file "$file"
        return $status
    fi
    if build_tree "$log" --target "test_$test"; then
        failed=$(run_tests "$log" -R "^$(regex_name "$expected")\$")
        if [ -z "$failed" ] && build_tree "$log"; then
            failed=$(run_tests "$log" --stop-on-failure \
                -E "^($(regex_name "$expected")|$(regex_name "$ARCH.testkit"))\$")
        elif [ -z "$failed" ]; then
            failed=build
        fi
    else
        failed=build
    fi
    if [ "$failed" = build ]; then
        echo "$id BUILD FAILED (not meant to; see ${log#$ROOT/})"
    elif [[ $failed == *.session.* ]]; then
        # No test ran, so nothing was caught.
        echo "$id NOT RUN: $failed failed (see ${log#$ROOT/})"
    else
        if [ -z "$failed" ]; then
            echo "$id SURVIVED ($file: ${WHATS[$i]})"
        elif [ "$failed" = "$expected" ]; then
            echo "$id CAUGHT by $failed"
            status=0
        else
            echo "$id CAUGHT by $failed (expected $expected)"
            status=0
        fi
    fi
    restore_file "$file"
    return $status
}

# ------------------------------------------------------------------ main

read_list
SELECTED=()
if [ ${#WANTED[@]} -eq 0 ]; then
    for i in "${!IDS[@]}"; do SELECTED+=("$i"); done
else
    for id in "${WANTED[@]}"; do
        found=
        for i in "${!IDS[@]}"; do [ "${IDS[$i]}" = "$id" ] && found=$i; done
        [ -n "$found" ] || { echo "no fault $id in $LIST" >&2; exit 2; }
        SELECTED+=("$found")
    done
fi

if [ -n "$CHECK" ]; then
    scratch=$(mktemp)
    bad=0
    for i in "${SELECTED[@]}"; do
        if [ ! -f "${FILES[$i]}" ]; then
            echo "${IDS[$i]} NOT APPLIED: no file ${FILES[$i]}"
            bad=$((bad + 1))
        elif ! cp "${FILES[$i]}" "$scratch" || ! why=$(plant "$scratch" "${ORIGINALS[$i]}" "${REPLACEMENTS[$i]}" 2>&1); then
            echo "${IDS[$i]} NOT APPLIED: ${FILES[$i]}: $why"
            bad=$((bad + 1))
        fi
    done
    rm -f "$scratch"
    say "${#SELECTED[@]} faults, $bad of them do not apply"
    trap - EXIT
    [ "$bad" -eq 0 ]
    exit
fi

started=$(date +%s)
mkdir -p "$LOGS"
say "copying the tracked files to ${TREE#$ROOT/}"
sync_tree
say "building $ARCH there"
if ! build_tree "$LOGS/baseline.log"; then
    tail -n 30 "$LOGS/baseline.log" >&2
    say "the unchanged tree does not build; see ${LOGS#$ROOT/}/baseline.log"
    exit 1
fi
. "$TREE/cmake/wine-loader.sh"
if [ "$ARCH" = i686 ] && [ -z "$QLX_WINE32" ]; then
    say "this machine cannot run 32-bit programs: use --arch x86_64"
    exit 1
fi
# The prefix is made before the display exists, as ./run makes it.
fresh_prefix
start_display
if [ -n "$BASELINE" ]; then
    say "the unchanged tree's $ARCH tests"
    : >"$LOGS/baseline-tests.log"
    failed=$(run_tests "$LOGS/baseline-tests.log" -E "^$(regex_name "$ARCH.testkit")\$")
    if [ -n "$failed" ]; then
        say "$failed fails without any fault; see ${LOGS#$ROOT/}/baseline-tests.log"
        exit 1
    fi
fi

say "planting ${#SELECTED[@]} faults, one at a time ($ARCH)"
caught=0 missed=0
for i in "${SELECTED[@]}"; do
    if try_fault "$i"; then caught=$((caught + 1)); else missed=$((missed + 1)); fi
done
elapsed=$(($(date +%s) - started))
say "$caught of ${#SELECTED[@]} faults caught, $missed not; $((elapsed / 60)) min $((elapsed % 60)) s"
[ "$missed" -eq 0 ]
