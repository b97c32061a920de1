// The WebAssembly calculator's report against spekulor-cli's, design by design.
//   node --no-experimental-fetch tests/web/report-check.cjs SITE_DIR SPEKULOR_CLI
// Each design is a set of named values (the page's names); the command line gets them as
// its options. Exit status 0 when every report and refusal is the same, 1 otherwise.
'use strict';
const path = require('path');
const { spawnSync } = require('child_process');

const [siteDir, cli] = process.argv.slice(2);
if (!siteDir || !cli) {
  console.error('usage: report-check.cjs SITE_DIR SPEKULOR_CLI');
  process.exit(2);
}

// The start-up design, then every type and both units on each way the geometry is fixed.
const designs = [
  {},
  { type: 'classical' },
  { type: 'dall-kirkham', unit: 'inch', diameter: '8', 'primary-focal-length': '24',
    'system-focal-length': '80', 'back-focal-length': '8' },
  { type: 'pressmann-camichel' },
  { type: 'stigmatic', 'primary-cc': '-1' },
  { type: 'stigmatic' },
  { 'system-focal-length': '', 'back-focal-length': '', 'secondary-roc': '600',
    'secondary-from-system-focus': '900' },
  { 'system-focal-length': '', 'back-focal-length': '', 'secondary-roc': '600',
    'secondary-from-prime-focus': '280' },
  { 'system-focal-length': '', 'secondary-roc': '600' },
  { type: 'classical', 'system-focal-length': '', 'back-focal-length': '', 'secondary-roc': '600',
    'secondary-cc': '2.78' },
  { diameter: '' },
  { diameter: '400,0' },
];

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
  console.log(`module loaded in ${loaded.toFixed(0)} ms; ${designs.length - failures} of ${designs.length} the same`);
  process.exit(failures === 0 ? 0 : 1);
})();
