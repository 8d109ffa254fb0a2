#!/usr/bin/env bash
# Runs tessera-run on small files and checks its exit status, output and saved files.
set -u
run=$1
data=$2  # tests/data
examples=$data/../../examples
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
passed=0 failed=0

check() {  # check NAME EXPECTED ACTUAL
  if [ "$2" == "$3" ]; then passed=$((passed + 1)); else
    failed=$((failed + 1)); printf 'FAIL %s\nexpected: %s\nactual:   %s\n' "$1" "$2" "$3"; fi
}

printf '3D-Tessera\r\nThe X is 4\r\nThe Y is 1\r\nThe Z is 2\r\n(1,0,0,103)\r\n(0,0,1,7)\r\n(3,0,1,1)\r\n' > "$dir/flat.ts3"
printf '3D-Tessera\nThe X is 2\nThe Y is 2\nThe Z is 2\n(0,1,0,100)\n(1,0,1,2)\n' > "$dir/solid.ts3"
printf 'Tessera\r\nThe width is 3\r\nThe height is 2\r\n(2,1,102)\r\n' > "$dir/plane.txt"
printf '#VRML V1.0 ascii\r\n' > "$dir/scene.wrl"

out=$("$run" "$dir/flat.ts3" --steps 0 --print); check "flat print" $'.R..\n*..?' "$out"
out=$("$run" "$dir/solid.ts3" --steps 0 --print); check "solid print" $'z=0\nW.\n..\n\nz=1\n..\n.#' "$out"
out=$("$run" "$dir/plane.txt" --steps 0 --print); check "plane print" $'...\n..B' "$out"

# Nothing to run: one step, whose status is the scan's last layer, then the normal end; the
# reason is said beside it.
out=$("$run" "$dir/flat.ts3" --trace 2> "$dir/err"); status=$?
check "empty program trace" "step 1: Phase:Separate 2/2 (0 cells changed)" "$out"
check "empty program exit" 0 "$status"
check "empty program message" "tessera-run: Nothing to run: no work area or sub-program found" "$(cat "$dir/err")"

# Three sequences of 65 values on one rule would make 65^3 groups: refused, said, status 1.
out=$("$run" "$data/too-many-groups.ts3" --trace 2> "$dir/err"); status=$?
check "too many groups trace" "step 1: Phase:Separate (too many rule groups) (0 cells changed)" "$out"
check "too many groups exit" 1 "$status"
grep -q "rule groups; it was not run" "$dir/err"; check "too many groups message" 0 $?

# What the reader recognises: one line per block, and status 0 without running anything.
out=$("$run" --blocks "$examples/gravity.ts3"); status=$?
check "blocks" $'rule-group (0,0,1)-(2,2,2) rule 1x2x1->1x2x1\nwork-area (6,0,1)-(9,4,3)' "$out"
check "blocks exit" 0 "$status"
check "no blocks" "" "$("$run" --blocks "$dir/flat.ts3")"

# Which groups each step applied: the unit, the group's drawing and its positions.
out=$("$run" "$examples/gravity.ts3" --trace --rules | head -4)
check "rules trace" $'step 1: Phase:Match(Done ) (10 cells changed)\n  unit (6,1,2) group (0,0,1)-(2,2,2) at 5 positions\nstep 2: Phase:Match(Done ) (8 cells changed)\n  unit (6,1,2) group (0,0,1)-(2,2,2) at 4 positions' "$out"
check "rules need trace" "" "$("$run" "$examples/gravity.ts3" --rules)"
# A run that ends says nothing on stderr (an allocator that rejects its settings would say so there).
"$run" "$examples/gravity.ts3" > /dev/null 2> "$dir/err"; check "quiet run" "" "$(cat "$dir/err")"

# A step limit the run reaches exactly at its last step is its end (status 0); one short of
# it stops the run (status 1).
n=$("$run" "$examples/gravity.ts3" --trace | wc -l)
"$run" "$examples/gravity.ts3" --steps "$n" > /dev/null; check "limit at the last step" 0 $?
"$run" "$examples/gravity.ts3" --steps $((n - 1)) > /dev/null; check "limit before the last step" 1 $?

# Clicks: the mouse program waits for a click for ever; a left click before step 3 shows in its
# button hole at step 4 and ends the run at step 5. A right click before step 1 ends it too.
"$run" "$examples/mouse.ts3" --steps 8 > /dev/null; check "no click runs on" 1 $?
out=$("$run" "$examples/mouse.ts3" --click left@3 --trace | tail -2); status=$?
check "left click" $'step 4: Phase:Match(Done ) (1 cell changed)\nstep 5: Phase:Match(End ) (0 cells changed)' "$out"
check "left click exit" 0 "$status"
out=$("$run" "$examples/mouse.ts3" --click right@1 --click right@1 --print | sed -n 5p)
check "right click" "..BK.KRKB.." "$out"
for click in middle@2 left@0 left@ left@x left; do
  "$run" "$examples/mouse.ts3" --click "$click" > /dev/null 2>&1; check "bad click $click" 2 $?
done

# Saving: a space file round trip and the VRML export by name.
"$run" "$dir/flat.ts3" --steps 0 --out "$dir/copy.ts3"; check "save exit" 0 $?
check "saved bytes" "$(cat "$dir/flat.ts3" | od -c)" "$(od -c < "$dir/copy.ts3")"
"$run" "$dir/flat.ts3" --steps 0 --out "$dir/copy.wrl"; check "vrml exit" 0 $?
check "vrml header" "#VRML V1.0 ascii" "$(head -1 "$dir/copy.wrl" | tr -d '\r')"
"$run" "$dir/flat.ts3" --steps 0 --out "$dir/nofolder/x.ts3" 2> "$dir/err"; check "unwritable exit" 2 $?
check "unwritable message lines" 1 "$(wc -l < "$dir/err")"

# Bad input: one line on stderr and status 2, nothing on stdout.
for args in "$dir/missing.ts3" "$dir/scene.wrl" "--steps -1 $dir/flat.ts3" "--bogus $dir/flat.ts3" ""; do
  # shellcheck disable=SC2086
  "$run" $args > "$dir/out" 2> "$dir/err"; status=$?
  check "bad input status: $args" 2 "$status"
  check "bad input one line: $args" 1 "$(wc -l < "$dir/err")"
  check "bad input no output: $args" "" "$(cat "$dir/out")"
done
"$run" --help > "$dir/out"; check "help exit" 0 $?
grep -q -- "--steps" "$dir/out"; check "help mentions --steps" 0 $?

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
