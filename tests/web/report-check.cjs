// The WebAssembly calculator's reports and pictures against spekulor-cli's.
//   node --no-experimental-fetch tests/web/report-check.cjs SITE_DIR SPEKULOR_CLI
// Each design is a set of named values (the page's names); the command line gets them as
// its options. The tabs' pictures of the start-up design against the SVG files of the
// command that draws each. Exit status 0 when everything is the same, 1 otherwise.
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');
const { spawnSync } = require('child_process');

const [siteDir, cliArgument] = process.argv.slice(2);
const cli = cliArgument && path.resolve(cliArgument);
if (!siteDir || !cliArgument) {
  console.error('usage: report-check.cjs SITE_DIR SPEKULOR_CLI');
  process.exit(2);
}

// The designs of designs.json: the start-up design, every type, both units and every
// way the geometry is fixed, refusals among them.
const designs = JSON.parse(fs.readFileSync(path.join(__dirname, 'designs.json'), 'utf8'));

// Each tab's drawings, top to bottom, and the command line that writes each (its SVG
// file's option last); null for a drawing no command writes alone.
const tabPictures = {
  layout: [['trace', '--layout'], ['trace', '--spots']],
  quality: [['quality', '--svg']],
  baffles: [['baffles', '--svg'], null],
  collimation: [null, ['tolerances', '--images']],
  'mirror-tests': [['primary-test', '--mask'], ['primary-test', '--ronchi'], ['secondary-test', '--svg']],
  camera: [['camera', '--pixel-um', '3.76', '--sensor-px', '6248x4176', '--svg']],
};

// The SVG file the command writes ({ok, svg}), or why it writes none ({ok: false, why}).
function cliPicture(command) {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'spekulor-web-'));
  const file = path.join(folder, 'picture.svg');
  const run = spawnSync(cli, [...command, file], { encoding: 'utf8' });
  const answer = run.status === 0 ? { ok: true, svg: fs.readFileSync(file, 'utf8') }
    : { ok: false, why: run.stderr.trim() || `spekulor-cli ${command.join(' ')} failed` };
  fs.rmSync(folder, { recursive: true });
  return answer;
}

// The downloads of the start-up design against the files the command line writes
// (its file option last).
const downloads = {
  design: ['save'],
  lens: ['lens', '-o'],
  zmx: ['export', '-f', 'zmx', '-o'],
  seq: ['export', '-f', 'seq', '-o'],
};

function cliFile(command) {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'spekulor-web-'));
  const file = path.join(folder, 'file');
  const run = spawnSync(cli, [...command, file], { encoding: 'utf8' });
  const bytes = run.status === 0 ? fs.readFileSync(file) : Buffer.from(`failed: ${run.stderr}`);
  fs.rmSync(folder, { recursive: true });
  return bytes;
}

function cliReport(design) {
  const args = ['report'];
  for (const [name, value] of Object.entries(design)) args.push(`--${name}=${value}`);
  const run = spawnSync(cli, args, { encoding: 'utf8' });
  return { ok: run.status === 0, text: run.status === 0 ? run.stdout : run.stderr };
}

(async () => {
  const factory = require(path.resolve(siteDir, 'spekulor.js'));
  const started = process.hrtime.bigint();
  const spekulor = await factory();
  const loaded = Number(process.hrtime.bigint() - started) / 1e6;
  let failures = 0;
  for (const design of designs) {
    const begun = process.hrtime.bigint();
    const shown = spekulor.report(design);
    const ms = Number(process.hrtime.bigint() - begun) / 1e6;
    const expected = cliReport(design);
    const same = shown.ok === expected.ok && shown.text === expected.text;
    if (!same) {
      failures += 1;
      console.log(`DIFFERENT ${JSON.stringify(design)}\n--- web (${shown.ok})\n${shown.text}--- cli (${expected.ok})\n${expected.text}`);
    } else {
      console.log(`same ${shown.ok ? 'report' : 'refusal'} (${ms.toFixed(1)} ms) ${JSON.stringify(design)}`);
    }
  }
  // Every tab's pictures for a spread of designs: each type, both units, a solve from
  // the secondary.
  const pictured = [0, 1, 2, 3, 4, 6].map((index) => designs[index]);
  for (const design of pictured) {
    const designArgs = Object.entries(design).map(([name, value]) => `--${name}=${value}`);
    for (const [tab, commands] of Object.entries(tabPictures)) {
      const begun = process.hrtime.bigint();
      const shown = spekulor.picture(design, tab, {});
      const ms = Number(process.hrtime.bigint() - begun) / 1e6;
      if (shown.sheet) shown.sheet.delete();
      commands.forEach((command, index) => {
        if (command === null) return;
        const line = [command[0], ...designArgs, ...command.slice(1)];
        const expected = cliPicture(line);
        // A picture the command line refuses to draw is missing on the tab too, whose
        // text names the same problem (up to its colon: what follows may name the
        // command line's options where the page names the window's fields).
        const problem = expected.ok ? '' : expected.why.split(':')[0];
        const same = expected.ok ? shown.svgs[index] === expected.svg
          : shown.svgs.length <= index && `${shown.refusal}\n${shown.notice}`.includes(problem);
        if (!same) failures += 1;
        console.log(`${same ? 'same' : 'DIFFERENT'} ${expected.ok ? 'picture' : 'refusal'}: tab ${tab} (${ms.toFixed(0)} ms), drawing ${index}, spekulor-cli ${line.join(' ')}`);
      });
    }
  }
  for (const [kind, command] of Object.entries(downloads)) {
    const shown = spekulor.download({}, kind);
    const same = shown.ok && Buffer.from(shown.bytes).equals(cliFile(command));
    if (!same) failures += 1;
    console.log(`${same ? 'same' : 'DIFFERENT'} download: ${kind}, spekulor-cli ${command.join(' ')}`);
  }
  // Open: a design file Save as wrote opens to the same report; other files are refused
  // with the same box.
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'spekulor-web-'));
  spawnSync(cli, ['save', path.join(folder, 'saved.spekulor'), '--type', 'classical', '--unit', 'inch',
    '--diameter', '10', '--system-focal-length', '100', '--primary-focal-length', '30', '--back-focal-length', '9']);
  fs.writeFileSync(path.join(folder, 'notes.txt'), 'not a design\n');
  fs.writeFileSync(path.join(folder, 'binary.dat'), Buffer.from([0, 1, 2, 91, 79, 93]));
  for (const name of ['saved.spekulor', 'notes.txt', 'binary.dat']) {
    const opened = spekulor.open(new Uint8Array(fs.readFileSync(path.join(folder, name))), name);
    const run = spawnSync(cli, ['report', name], { cwd: folder, encoding: 'utf8' });
    const shown = opened.ok ? spekulor.report(opened.design).text : `${opened.title}\n${opened.message}\n`;
    const same = shown === (opened.ok ? run.stdout : run.stderr);
    if (!same) failures += 1;
    console.log(`${same ? 'same' : 'DIFFERENT'} open: ${name} ${opened.ok ? 'opened' : 'refused'}`);
  }
  fs.rmSync(folder, { recursive: true });
  console.log(`module loaded in ${loaded.toFixed(0)} ms; ${failures} different`);
  process.exit(failures === 0 ? 0 : 1);
})();
