#!/bin/sh
# tessera --export-animation and --export-gltf from the command line, with no display at all:
# the frames of a run (every step, every Nth, a step limit), a MagicaVoxel file as input, and
# the exit status for bad files and arguments.
# Usage: export_exchange_test.sh TESSERA EXAMPLES_DIR
set -u
tessera=$1 examples=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
export LIBGL_ALWAYS_SOFTWARE=1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
frames() { identify "$1" 2>/dev/null | wc -l; }
canvas() { identify -format '%W %H\n' "$1" 2>/dev/null | head -1; }

# gravity.ts3 ends after 4 steps: a frame before the first step and one per step.
"$tessera" --export-animation "$work/all.gif" --size 160x120 --no-cursor "$examples/gravity.ts3" >"$work/out" 2>"$work/err" ||
    fail "export of gravity.ts3 exited with $?: $(cat "$work/err")"
[ "$(frames "$work/all.gif")" = 5 ] || fail "all.gif has $(frames "$work/all.gif") frames, not 5"
[ "$(canvas "$work/all.gif")" = "160 120" ] || fail "all.gif is $(canvas "$work/all.gif"), not 160 120"
grep -q "5 frames of 4 steps" "$work/out" || fail "no summary: $(cat "$work/out")"
# Every 3rd step and the last: the start, step 3, step 4.
"$tessera" --export-animation "$work/every.gif" --size 160x120 --every 3 "$examples/gravity.ts3" >/dev/null 2>&1 || fail "every.gif"
[ "$(frames "$work/every.gif")" = 3 ] || fail "every.gif has $(frames "$work/every.gif") frames, not 3"
# Each frame's time: --delay in hundredths of a second, the last one resting 2 s.
"$tessera" --export-animation "$work/slow.gif" --size 80x60 --delay 40 "$examples/gravity.ts3" >/dev/null 2>&1 || fail "slow.gif"
[ "$(identify -format '%T ' "$work/slow.gif" 2>/dev/null)" = "40 40 40 40 200 " ] ||
    fail "slow.gif's delays are $(identify -format '%T ' "$work/slow.gif")"
# A step limit on a long run: the start and 7 steps.
"$tessera" --export-animation "$work/limit.gif" --size 100x80 --steps 7 "$examples/long-run.ts3" >/dev/null 2>&1 || fail "limit.gif"
[ "$(frames "$work/limit.gif")" = 8 ] || fail "limit.gif has $(frames "$work/limit.gif") frames, not 8"

# glTF: a binary container; and a MagicaVoxel file as input draws as its space does.
"$tessera" --export-gltf "$work/g.glb" "$examples/gravity.ts3" 2>"$work/err" || fail "export-gltf: $(cat "$work/err")"
[ "$(head -c 4 "$work/g.glb")" = glTF ] || fail "g.glb is not a binary glTF file"
"$tessera" --export-gltf "$work/after.glb" --steps 4 "$examples/gravity.ts3" 2>/dev/null || fail "export-gltf --steps"
cmp -s "$work/g.glb" "$work/after.glb" && fail "four steps changed nothing in the mesh"
"$(dirname "$tessera")/../cli/tessera-run" "$examples/gravity.ts3" --steps 0 --out "$work/g.vox" >/dev/null 2>&1 || fail "tessera-run --out .vox"
"$tessera" --export-png "$work/vox.png" --size 160x120 "$work/g.vox" 2>/dev/null || fail "png of a .vox"
"$tessera" --export-png "$work/ts3.png" --size 160x120 "$examples/gravity.ts3" 2>/dev/null || fail "png of gravity.ts3"
cmp -s "$work/vox.png" "$work/ts3.png" || fail "the .vox draws otherwise than its space file"

# Bad files and arguments: status 2, a message, no file.
printf 'VOX \226\0\0\0MAIN\0\0\0\0\377\0\0\0' >"$work/broken.vox"
"$tessera" --export-animation "$work/broken.gif" "$work/broken.vox" 2>"$work/err"
[ $? -eq 2 ] || fail "a broken .vox does not exit with 2"
grep -q "truncated" "$work/err" || fail "no reason for the broken .vox: $(cat "$work/err")"
[ ! -e "$work/broken.gif" ] || fail "an animation was written for a broken file"
for args in "--every 0" "--every 2" "--delay 0" "--export-gltf x.glb --export-png y.png" "--export-gltf x.glb --size 10x10"; do
    # shellcheck disable=SC2086
    case $args in
    "--every 0" | "--delay 0") set -- --export-animation "$work/x.gif" $args ;;  # out of range
    "--every 2") set -- --export-png "$work/x.png" $args ;;        # not for a picture
    *) set -- $args ;;
    esac
    "$tessera" "$@" "$examples/gravity.ts3" >/dev/null 2>&1
    [ $? -eq 2 ] || fail "bad arguments '$args' do not exit with 2"
done
"$tessera" --export-animation "$work/no/such/folder/a.gif" "$examples/gravity.ts3" 2>"$work/err"
[ $? -eq 1 ] || fail "an unwritable animation does not exit with 1"

[ $failures -eq 0 ] && echo "all export checks passed"
exit $failures
