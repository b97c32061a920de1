#!/usr/bin/python3
"""The built page in headless Chromium (Debian's chromium, chromium-driver and
python3-selenium) against spekulor-cli:

    tests/web/page-check.py http://127.0.0.1:PORT/ SPEKULOR_CLI

For each design of designs.json, opened by a link with the design in its address, the
page's report (or its refusal, the previous report kept) is the command line's; typing
into a field and pressing Enter calculates; the back button brings the previous design
back; Open of a file that is no design shows the command line's refusal and keeps the
report; the layout tab's picture link holds spekulor-cli trace's SVG file. Exit status 1 when
anything differs.
"""
import json
import os
import subprocess
import sys
import tempfile
import urllib.parse

from headless import Tally, start_chromium, wait_ready
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

url, cli = sys.argv[1], os.path.abspath(sys.argv[2])
with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "designs.json")) as f:
    designs = json.load(f)
tally = Tally()
check = tally.check


def cli_run(args):
    return subprocess.run([cli, *args], capture_output=True, text=True)


def cli_report(design):
    run = cli_run(["report", *[f"--{name}={value}" for name, value in design.items()]])
    return run.returncode == 0, run.stdout if run.returncode == 0 else run.stderr


def shown(driver):
    return driver.execute_script(
        "return [document.getElementById('report').textContent,"
        " document.getElementById('error').hidden ? '' : document.getElementById('error').textContent]")


driver = start_chromium()
try:
    startup_ok, startup_report = cli_report({})
    for design in designs:
        driver.get(url + "?" + urllib.parse.urlencode(design))
        wait_ready(driver)
        report, error = shown(driver)
        ok, expected = cli_report(design)
        if ok:
            check(report == expected and error == "", f"report of a link {design}")
        else:
            # A refused design keeps the report before it: on a fresh page, none.
            check(error == expected and report == "", f"refusal of a link {design}")

    driver.get(url)
    wait_ready(driver)
    field = driver.find_element(By.ID, "diameter")
    field.clear()
    field.send_keys("300", Keys.ENTER)
    ok, expected = cli_report({"diameter": "300"})
    check(shown(driver)[0] == expected, "report after typing 300 and Enter")
    driver.back()
    WebDriverWait(driver, 10).until(lambda d: d.find_element(By.ID, "diameter").get_attribute("value") == "400.0")
    check(shown(driver)[0] == startup_report, "report after the back button")

    # Open through the file input: a file that is no design is refused with the
    # window's box, as spekulor-cli refuses it, and the report stays.
    with tempfile.TemporaryDirectory() as folder:
        notes = os.path.join(folder, "notes.txt")
        with open(notes, "w") as f:
            f.write("not a design\n")
        before = shown(driver)[0]
        driver.find_element(By.ID, "open").send_keys(notes)
        WebDriverWait(driver, 10).until(lambda d: shown(d)[1] != "")
        refused = subprocess.run([cli, "report", "notes.txt"], cwd=folder, capture_output=True, text=True)
        report, error = shown(driver)
        check(refused.returncode != 0 and error + "\n" == refused.stderr and report == before,
              "a file that is no design opened through the file input")

    # The picture link's bytes: the shown tab's first picture as the page has it.
    picture = driver.execute_async_script(
        "const done = arguments[arguments.length - 1];"
        "fetch(document.getElementById('download-svg').href).then((r) => r.text()).then(done);")
    with tempfile.TemporaryDirectory() as folder:
        layout = os.path.join(folder, "layout.svg")
        cli_run(["trace", "--layout", layout])
        with open(layout, encoding="utf-8") as f:
            check(picture == f.read(), "layout tab's picture link against spekulor-cli trace --layout")
finally:
    driver.quit()
sys.exit(tally.finish())
