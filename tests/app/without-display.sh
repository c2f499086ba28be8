#!/bin/sh
# Runs the program with no display at all: --help and --version answer, a bad option and a
# plain start each say what is wrong in one line and fail.
program=$1
unset DISPLAY WAYLAND_DISPLAY
fail() {
    echo "FAILED: $*" >&2
    exit 1
}

help=$("$program" --help) || fail "--help exited with $?"
for word in ADDRESS --new-window --private-window --version; do
    printf '%s\n' "$help" | grep -q -e "$word" || fail "--help does not name $word: $help"
done
"$program" --version | grep -q '^Larkspan [0-9]' || fail "--version"

for args in "" "--bogus"; do
    # shellcheck disable=SC2086
    out=$("$program" $args 2>&1 </dev/null) && fail "'$args' succeeded without a display"
    [ "$(printf '%s\n' "$out" | wc -l)" -eq 1 ] || fail "'$args' said more than one line: $out"
done
exit 0
