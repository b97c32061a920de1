#!/usr/bin/python3
"""The browser page's benchmark, in headless Chromium (Debian's chromium and
chromium-driver), served from 127.0.0.1:

    bench/web/page-timing.py http://127.0.0.1:PORT/ SITE_FOLDER

Prints the site's size (and the WebAssembly module's gzipped), the time from navigation
to the first report with a cold cache, and for each tab Calculate with the tab redrawn:
the page's own work, and until the browser has laid out and painted the new picture
(the first task after the next animation frame). Medians of five; the targets are 4 MB,
1 s and 150 ms.
"""
import gzip
import os
import statistics
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "web"))
from headless import start_chromium, wait_ready  # noqa: E402

url, site = sys.argv[1], sys.argv[2]
TABS = ("layout", "baffles", "quality", "collimation", "mirror-tests", "camera")
REPEATS = 5

files = [os.path.join(root, name) for root, _, names in os.walk(site) for name in names]
total = sum(os.path.getsize(f) for f in files)
with open(os.path.join(site, "spekulor.wasm"), "rb") as f:
    wasm = f.read()
print(f"site: {len(files)} files, {total / 1e6:.2f} MB; spekulor.wasm {len(wasm) / 1e6:.2f} MB, "
      f"{len(gzip.compress(wasm, 9)) / 1e3:.0f} KB gzipped")

# Calculate as Enter does it, the page's work timed inside it (data-calculate-ms), then
# the time until the frame that shows it has been painted.
CALCULATE_AND_PAINT = """
const done = arguments[arguments.length - 1];
const started = performance.now();
document.getElementById('design').requestSubmit();
requestAnimationFrame(() => setTimeout(() => done(
    [Number(document.body.dataset.calculateMs), performance.now() - started,
     document.querySelectorAll('#picture svg').length])));
"""

with tempfile.TemporaryDirectory() as profile:
    driver = start_chromium(extra_flags=(f"--user-data-dir={profile}",))  # a cold cache
    try:
        driver.set_script_timeout(30)
        driver.get(url)
        wait_ready(driver)
        first = driver.execute_script("return document.body.dataset.firstReportMs")
        print(f"first report {first} ms after navigation began (cold cache)")
        for tab in TABS:
            driver.execute_script(f"document.querySelector('#tabs button[data-tab=\"{tab}\"]').click()")
            inside, painted, pictures = [], [], 0
            for _ in range(REPEATS):
                work, frame, pictures = driver.execute_async_script(CALCULATE_AND_PAINT)
                inside.append(work)
                painted.append(frame)
            print(f"Calculate with tab {tab}: {statistics.median(inside):.0f} ms in the page, "
                  f"{statistics.median(painted):.0f} ms until painted; {pictures} pictures")
    finally:
        driver.quit()
