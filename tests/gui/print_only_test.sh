#!/bin/sh
# What tessera's command line only prints (help, version, a mistake in the line) works with no
# display at all and exits with the right status.
# Usage: print_only_test.sh TESSERA VERSION
set -u
tessera=$1 version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unset DISPLAY WAYLAND_DISPLAY
export QT_QPA_PLATFORM=
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# ARGS... : runs tessera, its output in $work/out and $work/err, its status in $status.
run() {
    timeout 60 "$tessera" "$@" >"$work/out" 2>"$work/err"
    status=$?
}

for help in --help -h; do
    run $help
    [ $status -eq 0 ] || fail "$help exits with $status: $(cat "$work/err")"
    grep -q "^Usage: .*tessera" "$work/out" || fail "$help prints no usage line: $(cat "$work/out")"
    grep -q -- "--export-png <OUT>" "$work/out" || fail "$help does not name --export-png"
done
run --version
[ $status -eq 0 ] || fail "--version exits with $status: $(cat "$work/err")"
[ "$(cat "$work/out")" = "3D-Tessera $version" ] || fail "--version prints '$(cat "$work/out")'"
# Help wins over the other options, as it does with a display.
run --export-png x.png --help
[ $status -eq 0 ] && grep -q "^Usage:" "$work/out" || fail "--help after --export-png exits with $status"

# Mistakes: status 2 and a message, not the window system's complaint.
for args in "--frobnicate" "--size 10x10 file.ts3" "--export-png"; do
    # shellcheck disable=SC2086
    run $args
    [ $status -eq 2 ] || fail "'$args' exits with $status"
    grep -q "^tessera: .*(see --help)" "$work/err" || fail "'$args' says: $(cat "$work/err")"
done

[ $failures -eq 0 ] && echo "all print-only checks passed"
exit $failures
