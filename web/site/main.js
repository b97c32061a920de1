// The page: the window's inputs, Calculate, the report and the shown tab's picture,
// the design kept in the page's address.
const spekulor = await globalThis.SpekulorModule();

const form = document.getElementById('design');
const fieldNames = spekulor.fieldNames();
let shownTab = 'layout';

function readDesign() {
  const design = {};
  for (const group of ['unit', 'type']) {
    const checked = form.querySelector(`input[name="${group}"]:checked`);
    if (checked) design[group] = checked.value;
  }
  for (const name of fieldNames) design[name] = document.getElementById(name).value;
  return design;
}

function showDesign(design) {
  for (const group of ['unit', 'type']) {
    for (const button of form.querySelectorAll(`input[name="${group}"]`)) {
      button.checked = button.value === design[group];
    }
  }
  for (const name of fieldNames) document.getElementById(name).value = design[name] ?? '';
}

// The start-up design with what the address names over it.
function designFromAddress() {
  const design = spekulor.startupDesign();
  const query = new URLSearchParams(location.search);
  for (const name of ['unit', 'type', ...fieldNames]) {
    if (query.has(name)) design[name] = query.get(name);
  }
  return design;
}

function addressOf(design) {
  const query = new URLSearchParams();
  for (const name of ['unit', 'type', ...fieldNames]) {
    if (design[name] !== undefined) query.set(name, design[name]);
  }
  return `?${query}`;
}

// Each link holds its file's bytes for the design last calculated.
function offerDownloads(design) {
  for (const kind of ['design', 'lens', 'zmx', 'seq']) {
    const link = document.getElementById(`download-${kind}`);
    if (link.href) URL.revokeObjectURL(link.href);
    const file = spekulor.download(design, kind);
    if (file.ok) {
      link.href = URL.createObjectURL(new Blob([file.bytes], { type: 'application/octet-stream' }));
    } else {
      link.removeAttribute('href');
    }
  }
}

function drawTab(design) {
  const picture = spekulor.picture(design, shownTab);
  const refusal = document.getElementById('picture-refusal');
  const lines = [picture.notice, picture.refusal].filter((text) => text !== '');
  refusal.textContent = lines.join('\n');
  refusal.hidden = lines.length === 0;
  document.getElementById('picture').innerHTML = picture.svgs.join('\n');
  const link = document.getElementById('download-svg');
  if (link.href) URL.revokeObjectURL(link.href);
  if (picture.svgs.length > 0) {
    link.href = URL.createObjectURL(new Blob([picture.svgs[0]], { type: 'image/svg+xml' }));
  } else {
    link.removeAttribute('href');
  }
}

// For the checks: Calculate's time with the shown tab redrawn, in milliseconds.
function calculate(design) {
  const started = performance.now();
  showCalculation(design);
  document.body.dataset.calculateMs = String(Math.round(performance.now() - started));
}

function showCalculation(design) {
  const shown = spekulor.report(design);
  const error = document.getElementById('error');
  if (shown.ok) {
    document.getElementById('report').textContent = shown.text;
    error.hidden = true;
    error.textContent = '';
    offerDownloads(design);
    drawTab(design);
  } else {
    // The refusal box: the previous report stays.
    error.textContent = shown.text;
    error.hidden = false;
  }
}

function showTab(tab) {
  shownTab = tab;
  for (const button of document.querySelectorAll('#tabs button')) {
    button.setAttribute('aria-selected', String(button.dataset.tab === tab));
  }
}

form.addEventListener('submit', (event) => {
  event.preventDefault();
  const design = readDesign();
  const address = addressOf(design);
  if (address !== location.search) history.pushState(null, '', address);
  calculate(design);
});

for (const button of document.querySelectorAll('#tabs button')) {
  button.addEventListener('click', () => {
    showTab(button.dataset.tab);
    drawTab(readDesign());
  });
}

// File Open: the file's values in the inputs and calculated, or the window's box
// ("Error reading" and why) with the inputs and the report kept.
document.getElementById('open').addEventListener('change', async (event) => {
  const file = event.target.files[0];
  if (!file) return;
  const opened = spekulor.open(new Uint8Array(await file.arrayBuffer()), file.name);
  event.target.value = '';
  if (!opened.ok) {
    const error = document.getElementById('error');
    error.textContent = `${opened.title}\n${opened.message}`;
    error.hidden = false;
    return;
  }
  showDesign(opened.design);
  form.requestSubmit();
});

window.addEventListener('popstate', () => {
  const design = designFromAddress();
  showDesign(design);
  calculate(design);
});

showTab(shownTab);
const first = designFromAddress();
showDesign(first);
calculate(first);
// For the checks: the first report's time since navigation began, in milliseconds.
document.body.dataset.firstReportMs = String(Math.round(performance.now()));
document.body.dataset.ready = 'true';
