#!/bin/sh
# Installs the build into PREFIX and checks the installed tree on its own: the programs run, an
# installed example gives its expected result, the desktop file and MIME type are valid, the
# icons have their sizes, the guide's pictures resolve, and the uninstall line of the README
# removes everything. Usage: install_test.sh BUILD_DIR SOURCE_DIR PREFIX
set -u
build=$1 source=$2 prefix=$3
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

rm -rf "$prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null || { echo "FAIL: cmake --install"; exit 1; }
share=$prefix/share

# The programs.
[ -x "$prefix/bin/tessera" ] || fail "bin/tessera is missing"
"$prefix/bin/tessera-run" --help | grep -q 'Usage: tessera-run' || fail "tessera-run --help"

# Every example program is installed, and one runs to its expected end from the installed tree.
for example in "$source"/examples/*.ts3; do
    case $example in *.expected.ts3) continue ;; esac
    [ -f "$share/tessera/examples/$(basename "$example")" ] || fail "$(basename "$example") is not installed"
done
result=$prefix/recolour.result.ts3
"$prefix/bin/tessera-run" "$share/tessera/examples/recolour.ts3" --out "$result" >/dev/null ||
    fail "the installed recolour.ts3 does not run to its end"
cmp -s "$result" "$source/examples/recolour.expected.ts3" || fail "the installed recolour.ts3 ends differently"
rm -f "$result"

# The gallery: every program with its picture, and the index that Help > Gallery reads.
[ -f "$share/tessera/gallery/gallery.index" ] || fail "the gallery's index is not installed"
for program in "$source"/gallery/*.ts3; do
    case $program in *.expected.ts3) continue ;; esac
    name=$(basename "$program" .ts3)
    [ -f "$share/tessera/gallery/$name.ts3" ] || fail "gallery/$name.ts3 is not installed"
    [ -f "$share/tessera/gallery/$name.png" ] || fail "the picture of gallery/$name.ts3 is not installed"
done

# Desktop integration: the launcher names the icon, the program and the MIME type that the
# shared-mime-info package declares for *.ts3.
desktop=$share/applications/tessera.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate"
grep -qx 'Exec=tessera %f' "$desktop" || fail "the desktop file does not start tessera with the file"
grep -qx 'Icon=tessera' "$desktop" || fail "the desktop file does not name the icon"
mime=$share/mime/packages/tessera.xml
xmllint --noout "$mime" || fail "the MIME file is not well-formed XML"
type=$(sed -n 's/.*<mime-type type="\([^"]*\)".*/\1/p' "$mime")
grep -qx "MimeType=$type;" "$desktop" || fail "the desktop file does not open $type"
if command -v update-mime-database >/dev/null; then
    # It warns that the prefix is not on the search path, which is expected here.
    update-mime-database "$share/mime" >/dev/null 2>&1 || fail "update-mime-database rejects the MIME file"
    grep -q "^50:$type:\*\.ts3$" "$share/mime/globs2" || fail "the MIME database has no *.ts3 glob for $type"
fi

# Icons: each size where the icon theme looks for it, with that size; the drawing as scalable.
for size in 16 32 48 64 128 256; do
    png=$share/icons/hicolor/${size}x${size}/apps/tessera.png
    got=$(identify -format '%wx%h' "$png" 2>/dev/null)
    [ "$got" = "${size}x${size}" ] || fail "$png is '$got', not ${size}x${size}"
done
xmllint --noout "$share/icons/hicolor/scalable/apps/tessera.svg" || fail "the scalable icon"

# The guide, where the editor's Help looks for it, with every picture link resolving beside it.
guide=$share/doc/tessera/guide.md
[ -f "$guide" ] || fail "the guide is not installed"
links=$(grep -o '](pictures/[^)]*)' "$guide" | sed 's/^](//; s/)$//' | sort -u)
[ -n "$links" ] || fail "the guide has no pictures"
for link in $links; do
    [ -f "$share/doc/tessera/$link" ] || fail "the guide's picture $link does not resolve"
done
for picture in "$share"/doc/tessera/pictures/*.png; do
    bytes=$(wc -c < "$picture")
    [ "$bytes" -lt 102400 ] || fail "$picture is $bytes bytes"
done

# Uninstalling as the README says leaves no installed file behind.
manifest=$build/install_manifest.txt
xargs rm -f < "$manifest"
left=$(cd "$prefix" && find . -type f ! -path './share/mime/*' | head -5)
[ -z "$left" ] || fail "files left after uninstalling: $left"

echo "$failures failures"
[ "$failures" -eq 0 ]
