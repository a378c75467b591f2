// Finds what only a POSIX system has in the tests a Windows build registers,
// from the cross build's own list of them (ctest -N -V). Under wine these
// tests run from Linux, where /dev/null, sh and the build machine's cmake
// all work; on GitHub's Windows runner the same rows meet Windows.
//
//   node .ci/windows-tests-check.cjs LISTING CROSS_BUILD
//
// Each test's command is checked (the emulator, which a Windows build does
// not have, left out), and so is every CMake script it runs with -P, outside
// an if() whose condition names the platform (UNIX, WIN32) or one of the
// options below that only a POSIX run may be given. The cross build's own
// wine checks (tests/windows) are no test of a Windows build and are left
// out (their names start with "windows."). Prints each finding, exits 1 if there is one.
"use strict";
const { readFileSync } = require("node:fs");
const { basename, join } = require("node:path");

// What a command may not hold, with why.
const commandRules = [
  [/^(-D\w+=)?\/(dev|proc|sys)\//, "names a POSIX device or kernel file"],
  [/^-D(FILE_LIMIT|INTERRUPT_AFTER)=\S/, "asks for a file-size limit or SIGINT, which only POSIX has"],
];
const posixTools = new Set(["sh", "bash", "env", "timeout", "flock", "ulimit", "diff", "kill", "true", "false"]);
// What a CMake script may hold only where it is guarded.
const scriptRules = [
  [/\/dev\/\w+/, "a POSIX device file"],
  [/\b(COMMAND|command)\s+(sh|bash|diff|timeout|flock|kill|ulimit)\b/, "a POSIX tool"],
];
const guard = /(UNIX|WIN32|\bFILE_LIMIT|\bINTERRUPT_AFTER)\b/;

// ctest -N -V's records: {name, command: [tokens]}.
function readListing(text) {
  const tests = new Map();
  for (const line of text.split("\n")) {
    let match;
    if ((match = /^(\d+): Test command: (.*)$/.exec(line))) {
      const tokens = [...match[2].matchAll(/"([^"]*)"|(\S+)/g)].map((token) => token[1] ?? token[2]);
      tests.set(match[1], { command: tokens });
    } else if ((match = /^\s+Test\s+#(\d+): (\S+)/.exec(line))) {
      tests.get(match[1]).name = match[2];
    }
  }
  return [...tests.values()];
}

// The lines of a CMake script that hold a POSIX-only construct unguarded.
function scriptFindings(file) {
  const findings = [];
  const open = [];
  readFileSync(file, "utf8").split("\n").forEach((line, index) => {
    const code = line.replace(/#.*$/, "");
    if (/^\s*if\s*\(/.test(code)) open.push(guard.test(code));
    else if (/^\s*endif\s*\(/.test(code)) open.pop();
    if (open.some(Boolean)) return;
    for (const [pattern, what] of scriptRules) {
      if (pattern.test(code)) findings.push(`${file}:${index + 1}: ${what}: ${line.trim()}`);
    }
  });
  return findings;
}

function main() {
  const [listing, build] = process.argv.slice(2);
  if (!listing || !build) {
    console.error("usage: node windows-tests-check.cjs LISTING CROSS_BUILD");
    return 2;
  }
  const cache = readFileSync(join(build, "CMakeCache.txt"), "utf8");
  const cmake = /^CMAKE_COMMAND:INTERNAL=(.*)$/m.exec(cache)[1];
  const emulator = join(build, "wine-run.sh");
  const findings = new Set();
  let checked = 0;
  for (const test of readListing(readFileSync(listing, "utf8"))) {
    if (test.name.startsWith("windows.")) continue;
    checked++;
    const tokens = test.command.filter((token) => token !== emulator && token !== `-DEMULATOR=${emulator}`);
    tokens.forEach((token, index) => {
      for (const [pattern, what] of commandRules) {
        if (pattern.test(token)) findings.add(`${test.name}: ${what}: ${token}`);
      }
      const file = token.replace(/^-D\w+=/, "");
      if ((index === 0 || file.startsWith("/")) && posixTools.has(basename(file))) {
        findings.add(`${test.name}: runs a POSIX tool: ${token}`);
      }
      if (index > 0 && file === cmake) {
        findings.add(`${test.name}: hands the build machine's cmake to a test as a file: ${token}`);
      }
      if (tokens[index - 1] === "-P") scriptFindings(token).forEach((finding) => findings.add(finding));
    });
  }
  for (const finding of findings) console.log(`windows tests: ${finding}`);
  console.log(`windows tests: ${checked} tests a Windows build registers, ${findings.size} findings`);
  return findings.size === 0 ? 0 : 1;
}

process.exit(main());
