// The page: the window's inputs, Calculate, the report and the shown tab's pictures,
// the camera tab's sensor fields and the mirror tests tab's zone table and refit; the
// design and the camera fields kept in the page's address.
const spekulor = await globalThis.SpekulorModule();

const form = document.getElementById('design');
const cameraForm = document.getElementById('camera-fields');
const fieldNames = spekulor.fieldNames();
const cameraNames = spekulor.cameraFieldNames();
const startupCamera = spekulor.startupCamera();
let shownTab = 'layout';
// The design the tab's pictures are of.
let drawnDesign = {};
// The downloads' names: the window's Save dialogs' until a design file is opened, then
// that file's name with each file's extension.
let openedName = '';

for (const name of spekulor.tubeMaterialChoices()) {
  const choice = document.createElement('option');
  choice.value = name;
  choice.textContent = name;
  document.getElementById('tube-material').append(choice);
}

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

function readCamera() {
  const camera = {};
  for (const name of cameraNames) camera[name] = document.getElementById(name).value;
  return camera;
}

function showCamera(camera) {
  for (const name of cameraNames) document.getElementById(name).value = camera[name] ?? '';
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

// The camera's start-up fields with what the address names over them.
function cameraFromAddress() {
  const camera = { ...startupCamera };
  const query = new URLSearchParams(location.search);
  for (const name of cameraNames) {
    if (query.has(name)) camera[name] = query.get(name);
  }
  return camera;
}

// The design, and the camera fields that differ from the start-up ones.
function addressOf(design, camera) {
  const query = new URLSearchParams();
  for (const name of ['unit', 'type', ...fieldNames]) {
    if (design[name] !== undefined) query.set(name, design[name]);
  }
  for (const name of cameraNames) {
    if (camera[name] !== startupCamera[name]) query.set(name, camera[name]);
  }
  return `?${query}`;
}

function remember(design) {
  const address = addressOf(design, readCamera());
  if (address !== location.search) history.pushState(null, '', address);
}

function downloadName(kind) {
  const name = spekulor.downloadFileName(kind);
  if (openedName === '') return name;
  const stem = openedName.replace(/\.[^.]*$/, '');
  return stem + name.slice(name.lastIndexOf('.'));
}

// Each link holds its file's bytes for the design last calculated.
function offerDownloads(design) {
  for (const kind of ['design', 'lens', 'zmx', 'seq']) {
    const link = document.getElementById(`download-${kind}`);
    if (link.href) URL.revokeObjectURL(link.href);
    const file = spekulor.download(design, kind);
    link.download = downloadName(kind);
    if (file.ok) {
      link.href = URL.createObjectURL(new Blob([file.bytes], { type: 'application/octet-stream' }));
    } else {
      link.removeAttribute('href');
    }
  }
}

// Each picture with its SVG file's link under it: download-svg, download-svg-2, ...,
// named after the tab.
function showPictures(svgs) {
  const holder = document.getElementById('picture');
  for (const link of holder.querySelectorAll('a[href]')) URL.revokeObjectURL(link.href);
  holder.replaceChildren();
  svgs.forEach((svg, index) => {
    const figure = document.createElement('div');
    figure.className = 'figure';
    figure.innerHTML = svg;
    const suffix = index === 0 ? '' : `-${index + 1}`;
    const link = document.createElement('a');
    link.id = `download-svg${suffix}`;
    link.download = `${shownTab}${suffix}.svg`;
    link.textContent = 'SVG file';
    link.href = URL.createObjectURL(new Blob([svg], { type: 'image/svg+xml' }));
    figure.append(link);
    holder.append(figure);
  });
}

// The mirror tests tab's zone table and refit, as the window's panel beside the pictures.
const mirrorTests = {
  sheet: null,
  design: '',  // the design the sheet is of, as JSON
  readings: [],

  // A new sheet, or none. The sheet of the same design as the last one (the tab shown
  // again, Calculate again) keeps the typed readings, the refit's fields and its text.
  show(sheet, design) {
    const key = JSON.stringify(design);
    const same = sheet !== undefined && key === this.design;
    if (this.sheet !== null) this.sheet.delete();
    this.sheet = sheet ?? null;
    if (sheet !== undefined) this.design = key;
    const section = document.getElementById('mirror-tests');
    section.hidden = this.sheet === null;
    const mask = document.getElementById('download-mask');
    if (mask.href) URL.revokeObjectURL(mask.href);
    mask.removeAttribute('href');
    if (this.sheet === null) return;
    if (!same) this.readings = [];
    this.buildTable();
    this.readings.forEach((text, zone) => {
      if (text !== undefined && text !== '') this.sheet.setReading(zone, text);
    });
    this.showReduction();
    mask.hidden = !this.sheet.canTest();
    if (this.sheet.canTest()) {
      mask.download = spekulor.downloadFileName('mask');
      mask.href = URL.createObjectURL(new Blob([this.sheet.maskSvg()], { type: 'image/svg+xml' }));
    }
    const unit = this.sheet.unitName();
    document.querySelector('label[for="measured-primary-roc"]').textContent = `Primary radius of curvature (${unit})`;
    document.querySelector('label[for="measured-secondary-roc"]').textContent = `Secondary radius of curvature (${unit})`;
    if (!same) {
      const start = this.sheet.startRefit();
      for (const name of ['measured-primary-roc', 'measured-primary-cc', 'measured-secondary-roc']) {
        document.getElementById(name).value = start[name];
      }
      for (const button of document.querySelectorAll('#refit-fields input[name="keep"]')) {
        button.checked = button.value === start.keep;
      }
      document.getElementById('refit').textContent = '';
    }
  },

  buildTable() {
    const sheet = this.sheet;
    const table = document.getElementById('zone-table');
    document.getElementById('zone-table-title').textContent = sheet.tableTitle();
    const head = document.createElement('tr');
    for (let column = 0; column < sheet.columnCount(); column += 1) {
      const title = document.createElement('th');
      title.scope = 'col';
      title.textContent = sheet.columnTitle(column);
      head.append(title);
    }
    table.tHead.replaceChildren(head);
    const rows = [];
    for (let zone = 0; zone < sheet.zoneCount(); zone += 1) {
      const row = document.createElement('tr');
      for (let column = 0; column < sheet.columnCount(); column += 1) {
        const cell = document.createElement('td');
        if (column === sheet.measuredColumn()) {
          const field = document.createElement('input');
          field.type = 'text';
          field.inputMode = 'decimal';
          field.id = `reading-${zone + 1}`;
          field.setAttribute('aria-label', `${sheet.columnTitle(column)} ${zone + 1}`);
          field.value = this.readings[zone] ?? '';
          // The reduction follows each keystroke, as the window's.
          field.addEventListener('input', () => this.typed(zone, field.value));
          cell.append(field);
        } else {
          cell.textContent = sheet.cell(zone, column);
        }
        row.append(cell);
      }
      rows.push(row);
    }
    table.tBodies[0].replaceChildren(...rows);
  },

  typed(zone, text) {
    this.readings[zone] = text;
    this.sheet.setReading(zone, text);
    this.showReduction();
  },

  showReduction() {
    const sheet = this.sheet;
    const rows = document.getElementById('zone-table').tBodies[0].rows;
    for (let zone = 0; zone < sheet.zoneCount(); zone += 1) {
      rows[zone].cells[sheet.surfaceColumn()].textContent = sheet.cell(zone, sheet.surfaceColumn());
    }
    document.getElementById('reduction').textContent = sheet.reductionText();
  },

  refit() {
    if (this.sheet === null) return;
    const fields = {};
    for (const name of ['measured-primary-roc', 'measured-primary-cc', 'measured-secondary-roc']) {
      fields[name] = document.getElementById(name).value;
    }
    fields.keep = document.querySelector('#refit-fields input[name="keep"]:checked').value;
    document.getElementById('refit').textContent = this.sheet.refit(fields);
  },
};

function drawTab(design) {
  drawnDesign = design;
  const picture = spekulor.picture(design, shownTab, readCamera());
  const refusal = document.getElementById('picture-refusal');
  const lines = [picture.notice, picture.refusal].filter((text) => text !== '');
  refusal.textContent = lines.join('\n');
  refusal.hidden = lines.length === 0;
  showPictures(picture.svgs);
  mirrorTests.show(picture.sheet, design);
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
  cameraForm.hidden = tab !== 'camera';
}

form.addEventListener('submit', (event) => {
  event.preventDefault();
  const design = readDesign();
  remember(design);
  calculate(design);
});

// The camera fields: Enter or a change redraws the camera's picture, or shows why the
// fields cannot be read.
let drawnCamera = JSON.stringify(readCamera());
function cameraChanged() {
  const camera = JSON.stringify(readCamera());
  if (camera === drawnCamera) return;
  drawnCamera = camera;
  remember(drawnDesign);
  drawTab(drawnDesign);
}
cameraForm.addEventListener('submit', (event) => {
  event.preventDefault();
  cameraChanged();
});
cameraForm.addEventListener('change', cameraChanged);

document.getElementById('refit-fields').addEventListener('submit', (event) => {
  event.preventDefault();
  mirrorTests.refit();
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
  openedName = file.name;
  showDesign(opened.design);
  form.requestSubmit();
});

window.addEventListener('popstate', () => {
  const design = designFromAddress();
  showDesign(design);
  showCamera(cameraFromAddress());
  drawnCamera = JSON.stringify(readCamera());
  calculate(design);
});

showTab(shownTab);
const first = designFromAddress();
showDesign(first);
showCamera(cameraFromAddress());
drawnCamera = JSON.stringify(readCamera());
calculate(first);
// For the checks: the first report's time since navigation began, in milliseconds.
document.body.dataset.firstReportMs = String(Math.round(performance.now()));
document.body.dataset.ready = 'true';

// Offline once loaded: the service worker keeps the site's files (not where there is
// none, as for a page opened from the disk).
if ('serviceWorker' in navigator) {
  navigator.serviceWorker.register('service-worker.js').catch(() => {});
}
