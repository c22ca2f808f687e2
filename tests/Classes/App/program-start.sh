#!/bin/sh
# The built program's start, run with a script that quits at once: an unusable runtime folder,
# links that cannot be handed over or whose scheme is in capitals, a settings file that is a
# FIFO, and outside text quoted in its messages.
# Usage: program-start.sh LUMENO WORK_FOLDER CASE
set -u
lumeno=$1 work=$2 case=$3
rm -rf "$work" && mkdir -p "$work" || exit 1
printf 'quit\n' > "$work/quit.script"
export LUMENO_CONFIG_DIR="$work/config" LUMENO_CACHES_DIR="$work/caches" XDG_RUNTIME_DIR="$work/runtime"
esc=$(printf '\033')
csi=$(printf '\302\233')

# Starts the program with the arguments; its messages go to $work/stderr.
run() { "$lumeno" --documents "$work/docs" "$@" 2>"$work/stderr"; }
fail() { echo "$case: $1"; cat "$work/stderr"; exit 1; }

case $case in
runtime-folder)
    : > "$work/file"
    XDG_RUNTIME_DIR="$work/file/runtime" run --script "$work/quit.script" || fail "did not start without a runtime folder"
    grep -q "only reader" "$work/stderr" || fail "no warning"
    # Without XDG_RUNTIME_DIR the cache folder holds the lock.
    (unset XDG_RUNTIME_DIR; LUMENO_CACHES_DIR="$work/file/caches" run --script "$work/quit.script") ||
        fail "did not start with a cache folder it cannot write"
    grep -q "only reader" "$work/stderr" || fail "no warning"
    ;;
bad-links)
    long=$(head -c 5000 /dev/zero | tr '\0' 1)
    for link in "lumeno://1:1
quit" "lumeno://2:$long"; do
        run --script "$work/quit.script" "$link" || fail "a bad link stopped the start"
        grep -q "was ignored" "$work/stderr" || fail "no log line for the ignored link"
    done
    ;;
quoted-input)
    # An unknown argument holding an escape sequence, and one of 100 KB.
    run "--x${esc}[2J${esc}]0;title$(printf '\007')"
    test $? -eq 2 || fail "not a usage error"
    grep -q "$esc" "$work/stderr" && fail "an escape sequence reached the terminal"
    grep -q 'unknown or incomplete argument "--x\\x1B\[2J' "$work/stderr" || fail "the argument is not shown"
    run "--$(head -c 100000 /dev/zero | tr '\0' a)"
    test $? -eq 2 || fail "not a usage error"
    test "$(head -n 1 "$work/stderr" | wc -c)" -lt 200 || fail "a long argument is echoed whole"
    # A script path and a script line holding controls.
    run --script "$work/no-such${esc}[31m.script"
    test $? -eq 2 || fail "not a usage error"
    grep -q "$esc" "$work/stderr" && fail "the script path reached the terminal raw"
    printf 'tap 1 2\nta%sp 1 2\n' "$csi" > "$work/c1.script"
    run --script "$work/c1.script"
    test $? -eq 2 || fail "not a usage error"
    grep -q "$csi" "$work/stderr" && fail "a C1 control reached the terminal"
    grep -q 'line 2: unknown command "ta\\u009Bp"' "$work/stderr" || fail "the line is not shown"
    ;;
settings-fifo)
    # A FIFO in the settings file's place is set aside unopened; the start goes on on the defaults.
    mkdir -p "$work/config" && mkfifo "$work/config/defaults.bin" || exit 1
    timeout 120 "$lumeno" --documents "$work/docs" --script "$work/quit.script" 2>"$work/stderr" ||
        fail "the start did not end by itself"
    grep -q "it is a FIFO, not a regular file" "$work/stderr" || fail "no log line for the FIFO"
    test -p "$work/config/defaults.bin.corrupt-1" || fail "the FIFO was not set aside"
    ;;
upper-case-links)
    # A link's scheme is case-insensitive.
    for link in "LUMENO://2:255" "Lumeno://2:255"; do
        run --script "$work/quit.script" "$link" || fail "$link was refused"
    done
    ;;
*) echo "unknown case $case"; exit 1 ;;
esac
exit 0
