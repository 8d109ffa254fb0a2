// Runs the Khronos glTF validator on each file named and prints one summary line per file
// (errors, warnings, infos, hints) and every error and warning. Exit status 1 when any file has
// an error.
"use strict";
const fs = require("fs");
const path = require("path");
const validator = require("gltf-validator");

async function main(files) {
  let failed = false;
  for (const file of files) {
    const report = await validator.validateBytes(new Uint8Array(fs.readFileSync(file)), {
      uri: path.basename(file),
      maxIssues: 100,
    });
    const i = report.issues;
    console.log(`${path.basename(file)}: ${i.numErrors} errors, ${i.numWarnings} warnings, ` +
                `${i.numInfos} infos, ${i.numHints} hints`);
    for (const m of i.messages)
      if (m.severity <= 1) console.log(`  ${m.severity === 0 ? "error" : "warning"} ${m.code} ${m.pointer || ""}: ${m.message}`);
    if (i.numErrors > 0) failed = true;
  }
  process.exit(failed ? 1 : 0);
}

main(process.argv.slice(2)).catch((e) => {
  console.error(e);
  process.exit(1);
});
