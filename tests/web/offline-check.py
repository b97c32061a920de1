#!/usr/bin/python3
"""The built page without a network, in headless Chromium (Debian's chromium,
chromium-driver and python3-selenium), against spekulor-cli:

    tests/web/offline-check.py SITE_FOLDER SPEKULOR_CLI

Serves the site itself on a free port of 127.0.0.1 and loads the page: everything it
loads comes from that address. Then the server is stopped for real, and the page opened
again with another design in its address: it loads from the service worker's copy, and
its report, its pictures and its downloads work as before. Exit status 1 when anything
differs.
"""
import os
import subprocess
import sys
import time
import urllib.parse
import urllib.request

from headless import Tally, free_port, start_chromium, wait_ready
from selenium.common.exceptions import TimeoutException, WebDriverException

site, cli = sys.argv[1], os.path.abspath(sys.argv[2])
tally = Tally()
check = tally.check


def answers(url):
    try:
        urllib.request.urlopen(url, timeout=1)
        return True
    except OSError:
        return False


port = free_port()
url = f"http://127.0.0.1:{port}/"
server = subprocess.Popen([sys.executable, "-m", "http.server", "--bind", "127.0.0.1",
                           "--directory", site, str(port)],
                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
driver = None
try:
    for _ in range(50):
        if answers(url):
            break
        time.sleep(0.1)
    driver = start_chromium()
    driver.set_script_timeout(20)
    driver.get(url)
    wait_ready(driver)
    loaded = driver.execute_script(
        "return performance.getEntriesByType('resource').map((entry) => entry.name)")
    foreign = [name for name in loaded
               if not (name.startswith(url) or name.startswith("blob:") or name.startswith("data:"))]
    check(loaded and not foreign, f"everything loaded from the site itself ({len(loaded)} files) {foreign}")
    kept = driver.execute_async_script(
        "const done = arguments[arguments.length - 1];"
        "setTimeout(() => done(-1), 10000);"
        "navigator.serviceWorker.ready.then(() => caches.open('spekulor-site'))"
        ".then((cache) => cache.keys()).then((keys) => done(keys.length), () => done(-1));")
    check(kept >= 6, f"the service worker keeps the site's files ({kept})")

    server.terminate()
    server.wait(10)
    check(not answers(url), "the server is stopped")

    design = {"type": "dall-kirkham", "diameter": "250"}
    try:
        driver.get(url + "?" + urllib.parse.urlencode(design))
        wait_ready(driver)
        opened = True
    except (TimeoutException, WebDriverException):
        opened = False
    check(opened, "offline: the page opens again")
    report = driver.execute_script(
        "const report = document.getElementById('report'); return report ? report.textContent : ''")
    run = subprocess.run([cli, "report", *[f"--{k}={v}" for k, v in design.items()]],
                         capture_output=True, text=True)
    check(run.returncode == 0 and report == run.stdout, "offline: the report of a design in the address")
    pictures = driver.execute_script(
        "const tab = document.querySelector('#tabs button[data-tab=\"quality\"]');"
        "if (tab) tab.click(); return document.querySelectorAll('#picture svg').length")
    check(pictures >= 1, f"offline: the image quality tab draws ({pictures} pictures)")
    saved = driver.execute_async_script(
        "const done = arguments[arguments.length - 1];"
        "const link = document.getElementById('download-design');"
        "if (!link || !link.href) { done(-1); return; }"
        "fetch(link.href).then((r) => r.arrayBuffer()).then((b) => done(b.byteLength), () => done(-1));")
    check(saved > 0, f"offline: the design file can be downloaded ({saved} bytes)")
finally:
    if driver is not None:
        driver.quit()
    if server.poll() is None:
        server.terminate()
sys.exit(tally.finish())
