#!/bin/sh
# tessera --export-png from the command line, with no display at all: the picture's size and
# content, a run of some steps before it, and the exit status for bad files and arguments.
# Usage: export_png_test.sh TESSERA EXAMPLES_DIR
set -u
tessera=$1 examples=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
export LIBGL_ALWAYS_SOFTWARE=1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# WIDTH HEIGHT COLOURS of a picture.
describe() { identify -format '%w %h %k' "$1"; }

"$tessera" --export-png "$work/gravity.png" --size 320x200 "$examples/gravity.ts3" 2>"$work/err" ||
    fail "export of gravity.ts3 exited with $?: $(cat "$work/err")"
set -- $(describe "$work/gravity.png" 2>/dev/null || echo 0 0 0)
[ "$1 $2" = "320 200" ] || fail "gravity.png is $1 x $2, not 320 x 200"
[ "$3" -gt 6 ] || fail "gravity.png has only $3 colours: blank?"

# The default size, and a picture after three steps: the yellow cells have fallen.
"$tessera" --export-png "$work/before.png" --no-cursor "$examples/gravity.ts3" 2>/dev/null || fail "before.png"
"$tessera" --export-png "$work/after.png" --no-cursor --steps 3 "$examples/gravity.ts3" 2>/dev/null || fail "after.png"
set -- $(describe "$work/before.png" 2>/dev/null || echo 0 0 0)
[ "$1 $2" = "800 600" ] || fail "the default size is $1 x $2"
cmp -s "$work/before.png" "$work/after.png" && fail "three steps changed nothing in the picture"
# A viewing direction: another picture of the same space.
"$tessera" --export-png "$work/above.png" --no-cursor --view 80,0 "$examples/gravity.ts3" 2>/dev/null || fail "above.png"
cmp -s "$work/before.png" "$work/above.png" && fail "--view changed nothing"
# Framing the cells only: nearer, another picture.
"$tessera" --export-png "$work/cells.png" --no-cursor --view 80,0 --fit-cells "$examples/gravity.ts3" 2>/dev/null ||
    fail "cells.png"
cmp -s "$work/above.png" "$work/cells.png" && fail "--fit-cells changed nothing"

# Bad files: status 2, a message on stderr, no picture.
printf '\001\002\003' >"$work/junk.ts3"
"$tessera" --export-png "$work/junk.png" "$work/junk.ts3" 2>"$work/err"
status=$?
[ $status -eq 2 ] || fail "a file that is no space exits with $status"
grep -q "not a 3D-Tessera space" "$work/err" || fail "no message for the junk file: $(cat "$work/err")"
[ ! -e "$work/junk.png" ] || fail "a picture was written for the junk file"
"$tessera" --export-png "$work/missing.png" "$work/missing.ts3" 2>"$work/err"
status=$?
[ $status -eq 2 ] || fail "a missing file exits with $status"
grep -q "cannot open" "$work/err" || fail "no message for the missing file: $(cat "$work/err")"
# Bad arguments: status 2.
for args in "--size 0x10" "--size big" "--steps -1" "--view 95,0" "--view 10" "--frobnicate"; do
    # shellcheck disable=SC2086
    "$tessera" --export-png "$work/x.png" $args "$examples/gravity.ts3" 2>/dev/null
    status=$?
    [ $status -eq 2 ] || fail "'$args' exits with $status"
done
"$tessera" --export-png "$work/x.png" 2>/dev/null
[ $? -eq 2 ] || fail "--export-png without a file"
# An unwritable picture: status 1.
"$tessera" --export-png "$work/no/such/x.png" "$examples/gravity.ts3" 2>"$work/err"
status=$?
[ $status -eq 1 ] || fail "an unwritable picture exits with $status"

[ $failures -eq 0 ] && echo "all export checks passed"
exit $failures
