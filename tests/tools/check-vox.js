// Reads a MagicaVoxel file with the vox-reader package and compares its voxels with the cells of
// a space file (.ts3, read here on its own): every cell that is neither empty (0) nor outside (2)
// must be a voxel of the editor's colour at (x, sizeZ - 1 - z, y), and nothing else a voxel.
// Models are placed by their nTRN translations (v - floor(size / 2) + t).
"use strict";
const fs = require("fs");
const readVox = require("vox-reader");

const COLOURS = {100: [255, 255, 255], 101: [64, 64, 64], 102: [0, 0, 255], 103: [255, 0, 0],
                 104: [0, 255, 0], 105: [255, 0, 255], 106: [0, 255, 255], 107: [255, 255, 0]};

function readSpace(file) {
  const lines = fs.readFileSync(file, "latin1").split("\n");
  const size = [1, 2, 3].map((i) => parseInt(lines[i].replace(/^The [XYZ] is /, ""), 10));
  const cells = new Map();
  for (const line of lines.slice(4)) {
    const m = /^\((-?\d+),(-?\d+),(-?\d+),(-?\d+)\)/.exec(line);
    if (!m) continue;
    const [x, y, z, v] = m.slice(1).map(Number);
    if (x < 0 || y < 0 || z < 0 || x >= size[0] || y >= size[1] || z >= size[2] || v === 0 || v === 2) continue;
    cells.set(`${x} ${size[2] - 1 - z} ${y}`, (COLOURS[v] || [0, 0, 0]).join(" "));
  }
  return cells;
}

function list(value) { return value === undefined ? [] : Array.isArray(value) ? value : [value]; }

function readVoxels(file) {
  const vox = readVox(fs.readFileSync(file));
  const sizes = list(vox.size), models = list(vox.xyzi), palette = vox.rgba.values;
  // Shape node -> model, transform node -> shape: each model's translation.
  const shapes = new Map(list(vox.nshp).map((s) => [s.nodeId, s.models[0][0]]));
  const offset = new Map();
  for (const t of list(vox.ntrn)) {
    if (!shapes.has(t.child)) continue;
    offset.set(shapes.get(t.child), (t.frames[0]._t || "0 0 0").split(" ").map(Number));
  }
  const voxels = new Map();
  models.forEach((model, m) => {
    const s = sizes[m], t = offset.get(m) || [0, 0, 0];
    for (const v of model.values) {
      const w = [v.x - Math.floor(s.x / 2) + t[0], v.y - Math.floor(s.y / 2) + t[1], v.z - Math.floor(s.z / 2) + t[2]];
      const c = palette[v.i - 1];
      voxels.set(w.join(" "), `${c.r} ${c.g} ${c.b}`);
    }
  });
  return voxels;
}

const [voxFile, spaceFile] = process.argv.slice(2);
const expected = readSpace(spaceFile), found = readVoxels(voxFile);
let wrong = 0;
for (const [where, colour] of expected)
  if (found.get(where) !== colour && wrong++ < 5) console.log(`${voxFile}: at ${where} expected ${colour}, found ${found.get(where)}`);
for (const [where, colour] of found)
  if (!expected.has(where) && wrong++ < 5) console.log(`${voxFile}: a voxel ${colour} at ${where} that is no cell`);
console.log(`${voxFile}: ${found.size} voxels read by vox-reader, ${expected.size} cells, ${wrong} differences`);
process.exit(wrong ? 1 : 0);
