// Reads .github/workflows/ci.yml as GitHub's runners will run it, for the
// rehearsal stage (.ci/rehearse):
//
//   node .ci/workflow-check.cjs MODULES images WORKFLOW TABLE
//     every job names an image of TABLE (.ci/github-runners.tsv), never a
//     -latest label; a Windows job's image carries the Visual Studio
//     generator and toolset of every preset (CMakePresets.json) and every
//     .ci/release-archive --compiler msvc it runs; every action is used at
//     the major version TABLE calls current. Prints each finding, exits 1
//     if there is one.
//   node .ci/workflow-check.cjs MODULES container-setup WORKFLOW
//     for each job that runs in a container, has a checkout and runs a
//     script of .ci/ (which reads the clone with git): the job's
//     name, then each `run:` of the steps between the checkout and its first
//     script step (one that runs a file of .ci/ or scripts/), leaving out
//     installs and downloads; each record ends in a NUL byte, a job's list
//     in an empty record. These are the steps that set the workspace up
//     before the scripts use git there.
//
// MODULES is the node_modules folder that has the package "yaml".
"use strict";
const { readFileSync } = require("node:fs");
const { join, dirname, resolve } = require("node:path");

function readTable(file) {
  const images = new Map();
  const actions = new Map();
  for (const line of readFileSync(file, "utf8").split("\n")) {
    if (line.startsWith("#") || line.trim() === "") continue;
    const [kind, name, ...rest] = line.split("\t");
    const list = (text) => (text === "-" ? [] : text.split(",").map((item) => item.trim()));
    if (kind === "image") images.set(name, { generators: list(rest[0]), toolsets: list(rest[1]) });
    else if (kind === "action") actions.set(name, rest[0]);
    else throw new Error(`${file}: a row of unknown kind: ${line}`);
  }
  return { images, actions };
}

// The generator and toolset a configure preset names, through what it inherits.
function presetBuild(presets, name) {
  const preset = presets.find((candidate) => candidate.name === name);
  if (!preset) return null;
  const own = {
    generator: preset.generator,
    toolset: typeof preset.toolset === "object" ? preset.toolset.value : preset.toolset,
  };
  for (const parent of [].concat(preset.inherits || [])) {
    const inherited = presetBuild(presets, parent) || {};
    own.generator ??= inherited.generator;
    own.toolset ??= inherited.toolset;
  }
  return own;
}

// The Visual Studio builds a step's command asks for: {what, generator, toolset}.
function buildsOfStep(run, root) {
  const builds = [];
  const presets = JSON.parse(readFileSync(join(root, "CMakePresets.json"), "utf8"));
  for (const match of run.matchAll(/\bcmake\s+(--build\s+)?--preset[ =]([\w-]+)/g)) {
    let name = match[2];
    if (match[1]) {
      const buildPreset = presets.buildPresets.find((preset) => preset.name === name);
      if (!buildPreset) continue;
      name = buildPreset.configurePreset;
    }
    const build = presetBuild(presets.configurePresets, name);
    if (build && build.generator && build.generator.startsWith("Visual Studio")) {
      builds.push({ what: `preset ${name}`, ...build });
    }
  }
  if (/\.ci\/release-archive\b[^\n]*--compiler\s+msvc/.test(run)) {
    const script = readFileSync(join(root, ".ci/release-archive"), "utf8");
    const generator = /-G\s+"(Visual Studio[^"]+)"/.exec(script);
    const toolset = /\s-T\s+"?([\w.,=]+)"?/.exec(script);
    builds.push({
      what: ".ci/release-archive --compiler msvc",
      generator: generator && generator[1],
      toolset: toolset && toolset[1],
    });
  }
  return builds;
}

function checkImages(workflow, table, root) {
  const findings = [];
  for (const [job, body] of Object.entries(workflow.jobs)) {
    const image = body["runs-on"];
    if (typeof image !== "string") {
      findings.push(`${job}: runs-on must name one image, not ${JSON.stringify(image)}`);
      continue;
    }
    if (/-latest$/.test(image)) {
      findings.push(`${job}: runs-on ${image} is a label GitHub moves to new images; name the image`);
      continue;
    }
    const carried = table.images.get(image);
    if (!carried) {
      findings.push(`${job}: runs-on ${image} is not an image of .ci/github-runners.tsv`);
      continue;
    }
    for (const step of body.steps || []) {
      for (const build of buildsOfStep(step.run || "", root)) {
        if (!build.generator || !carried.generators.includes(build.generator)) {
          findings.push(`${job}: ${build.what} uses the generator "${build.generator}", ` +
                        `which ${image} does not have (it has: ${carried.generators.join(", ") || "none"})`);
        }
        if (!build.toolset) {
          findings.push(`${job}: ${build.what} names no toolset, so the image's newest is taken`);
        } else if (!carried.toolsets.includes(build.toolset)) {
          findings.push(`${job}: ${build.what} uses the toolset ${build.toolset}, ` +
                        `which ${image} does not have (it has: ${carried.toolsets.join(", ") || "none"})`);
        }
      }
      const uses = step.uses && /^([^@]+)@(.+)$/.exec(step.uses);
      if (uses && table.actions.has(uses[1]) && table.actions.get(uses[1]) !== uses[2]) {
        findings.push(`${job}: ${step.uses} is not at the current major ${uses[1]}@${table.actions.get(uses[1])}`);
      } else if (uses && !table.actions.has(uses[1])) {
        findings.push(`${job}: ${step.uses} is an action .ci/github-runners.tsv does not list`);
      }
    }
  }
  return [...new Set(findings)];
}

// Steps between the checkout and the first script, less installs and downloads.
function containerSetup(workflow) {
  const records = [];
  for (const [job, body] of Object.entries(workflow.jobs)) {
    if (!body.container) continue;
    const steps = body.steps || [];
    const checkout = steps.findIndex((step) => /^actions\/checkout@/.test(step.uses || ""));
    const runsScripts = steps.some((step) => /(^|[\s;&|(])(bash\s+)?(\.\/)?\.ci\//.test(step.run || ""));
    if (checkout < 0 || !runsScripts) continue;
    records.push(job);
    for (const step of steps.slice(checkout + 1)) {
      const run = step.run || "";
      if (/(^|[\s;&|(])(bash\s+)?(\.\/)?(\.ci|scripts)\//.test(run)) break;
      if (run === "" || /apt-get|https?:\/\//.test(run)) continue;
      records.push(run);
    }
    records.push("");
  }
  return records;
}

function main() {
  const [modules, verb, workflowFile, tableFile] = process.argv.slice(2);
  const YAML = require(resolve(modules, "yaml"));
  if (!workflowFile || !["images", "container-setup"].includes(verb)) {
    console.error("usage: node workflow-check.cjs MODULES (images WORKFLOW TABLE | container-setup WORKFLOW)");
    return 2;
  }
  const workflow = YAML.parse(readFileSync(workflowFile, "utf8"));
  if (verb === "container-setup") {
    process.stdout.write(containerSetup(workflow).map((record) => record + "\0").join(""));
    return 0;
  }
  const root = join(dirname(workflowFile), "..", "..");
  const findings = checkImages(workflow, readTable(tableFile), root);
  for (const finding of findings) console.log(`${workflowFile}: ${finding}`);
  console.log(`runner images: ${Object.keys(workflow.jobs).length} jobs, ${findings.length} findings`);
  return findings.length === 0 ? 0 : 1;
}

process.exit(main());
