#!/bin/sh
# Every example the guide names exists and runs to its end with tessera-run; the examples given
# after SOURCE never end by design (they listen to the mouse) and must still be running after
# a step limit. Usage: guide_examples_test.sh TESSERA_RUN SOURCE_DIR [NEVER_ENDING...]
set -u
runner=$1 source=$2
shift 2
never_ending=" $* "
guide=$source/docs/guide.md
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Example files appear as `NAME.ts3` or examples/NAME.ts3; other file names are the user's own.
# Gallery programs (gallery/NAME.ts3) are named too; their own tests run them.
names=$(grep -oE '(`|examples/)[a-z-]+\.ts3' "$guide" | sed 's/^`//; s/^examples\///; s/\.ts3$//' | sort -u)
count=$(echo "$names" | grep -c .)
# The guide shows every construct with an example, so it names most of them.
[ "$count" -ge 8 ] || fail "the guide names only $count example files"
for name in $names; do
    file=$source/examples/$name.ts3
    [ ! -f "$file" ] && [ -f "$source/gallery/$name.ts3" ] && continue
    if [ ! -f "$file" ]; then
        fail "the guide names $name.ts3, which is not in examples/ nor in gallery/"
        continue
    fi
    "$runner" "$file" --steps 1000 >/dev/null 2>&1
    status=$?
    case $never_ending in
        *" $name "*) [ "$status" -eq 1 ] || fail "$name.ts3 should still run after 1000 steps (exit $status)" ;;
        *) [ "$status" -eq 0 ] || fail "$name.ts3 does not run to its end (exit $status)" ;;
    esac
done
echo "$count example files named in the guide, $failures failures"
[ "$failures" -eq 0 ]
