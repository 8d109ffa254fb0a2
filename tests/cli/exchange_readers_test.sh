#!/usr/bin/env bash
# Readers written elsewhere on what tessera-run writes, for every example (and gallery program):
# vox-reader finds each space's cells as voxels, and the Khronos glTF validator reports no error
# on its glTF export. Needs node and the packages of tests/tools (scripts/install-deps installs
# them); without them the test is skipped (status 77) with a message.
set -u
run=$1
root=$2
tools=$root/tests/tools
if ! command -v node > /dev/null; then echo "SKIPPED: node is not installed (scripts/install-deps installs it)"; exit 77; fi
for package in vox-reader gltf-validator; do
  if [ ! -d "$tools/node_modules/$package" ]; then
    echo "SKIPPED: $package is missing; run: npm ci --prefix tests/tools (scripts/install-deps does)"; exit 77
  fi
done
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
failed=0

# A space wider and deeper than one MagicaVoxel model (256), so that the file holds four models.
{
  printf '3D-Tessera\r\nThe X is 300\r\nThe Y is 2\r\nThe Z is 260\r\n'
  for x in 0 1 255 256 299; do for z in 0 3 255 256 259; do printf '(%d,%d,%d,%d)\r\n' $x $((x % 2)) $z $((100 + (x + z) % 8)); done; done
} > "$dir/wide.ts3"

spaces=("$dir/wide.ts3" "$root"/examples/*.ts3)
[ -d "$root/gallery" ] && while IFS= read -r f; do spaces+=("$f"); done < <(find "$root/gallery" -name '*.ts3' | sort)
n=0
for space in "${spaces[@]}"; do
  n=$((n + 1))
  name=$(basename "$space" .ts3)
  "$run" "$space" --steps 0 --out "$dir/$n-$name.vox" || { echo "FAIL tessera-run --out $name.vox"; failed=1; continue; }
  node "$tools/check-vox.js" "$dir/$n-$name.vox" "$space" || failed=1
  "$run" "$space" --steps 0 --out "$dir/$n-$name.glb" || { echo "FAIL tessera-run --out $name.glb"; failed=1; }
done
node "$tools/validate-gltf.js" "$dir"/*.glb || failed=1
exit $failed
