#!/usr/bin/python3
"""The built page's camera and mirror tests tabs and its downloads, in headless Chromium
(Debian's chromium, chromium-driver and python3-selenium), against spekulor-cli:

    tests/web/page-tabs-check.py http://127.0.0.1:PORT/ SPEKULOR_CLI

Camera: the sensor's fields typed on the page draw spekulor-cli camera's picture with the
same options; a field that cannot be read shows the reason instead; the fields go into
the address, a link with them opens them, the back button restores them.
Mirror tests: the zone table's cells are spekulor-cli primary-test's figures; readings
typed give the reduction of --readings; the mask link holds --mask's file; Refit with a
changed primary gives spekulor-cli refit's text.
Downloads: every picture of every tab has its link under it, named after the tab,
holding the picture's SVG; the design's files are named as the window's Save dialogs
name them, or after the file opened.
Phone width: at 360 pixels the page does not scroll sideways and the new fields work.
Exit status 1 when anything differs.
"""
import base64
import json
import os
import subprocess
import sys
import tempfile
import urllib.parse

from headless import Tally, start_chromium, wait_ready
from selenium.common.exceptions import TimeoutException
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import Select, WebDriverWait

url, cli = sys.argv[1], os.path.abspath(sys.argv[2])
tally = Tally()
check = tally.check
scratch = tempfile.mkdtemp(prefix="spekulor-page-tabs-")


def design_options(design):
    return [f"--{name}={value}" for name, value in design.items()]


def cli_run(args):
    return subprocess.run([cli, *args], capture_output=True, text=True)


def cli_file(args, name):
    """The bytes of the file spekulor-cli writes with `args` and the file's path last."""
    path = os.path.join(scratch, name)
    if os.path.exists(path):
        os.remove(path)
    run = subprocess.run([cli, *args, path], capture_output=True)
    if run.returncode != 0:
        return b"spekulor-cli failed: " + run.stderr
    with open(path, "rb") as f:
        return f.read()


def wait_for(driver, condition, what):
    """Waits for `condition`; a wait that times out is a difference."""
    try:
        WebDriverWait(driver, 10).until(condition)
        return True
    except TimeoutException:
        check(False, f"{what} (waited in vain)")
        return False


def link_bytes(driver, link_id):
    """The bytes the link with that id holds, or None without a link or address."""
    encoded = driver.execute_async_script(
        "const done = arguments[arguments.length - 1];"
        "const link = document.getElementById(arguments[0]);"
        "if (!link || !link.href) { done(null); return; }"
        "fetch(link.href).then((r) => r.arrayBuffer()).then((buffer) => {"
        "  const bytes = new Uint8Array(buffer); let text = '';"
        "  for (let i = 0; i < bytes.length; i += 0x8000)"
        "    text += String.fromCharCode(...bytes.subarray(i, i + 0x8000));"
        "  done(btoa(text)); });", link_id)
    return None if encoded is None else base64.b64decode(encoded)


def link_name(driver, link_id):
    return driver.execute_script(
        "const link = document.getElementById(arguments[0]); return link ? link.download : null;", link_id)


def link_shows_inline(driver, link_id, index):
    """The link's SVG, read into the page as the page reads its pictures, is the
    index-th inline picture."""
    return driver.execute_async_script(
        "const done = arguments[arguments.length - 1];"
        "const shown = document.querySelectorAll('#picture svg')[arguments[1]];"
        "fetch(document.getElementById(arguments[0]).href).then((r) => r.text()).then((text) => {"
        "  const holder = document.createElement('div'); holder.innerHTML = text;"
        "  const read = holder.querySelector('svg');"
        "  done(!!shown && !!read && read.outerHTML === shown.outerHTML); });", link_id, index)


def show_tab(driver, tab):
    driver.find_element(By.CSS_SELECTOR, f'#tabs button[data-tab="{tab}"]').click()


def text_of(driver, element_id):
    return driver.execute_script("return document.getElementById(arguments[0]).textContent", element_id)


def type_into(driver, element_id, text, enter=False):
    field = driver.find_element(By.ID, element_id)
    driver.execute_script("arguments[0].scrollIntoView({block: 'center'})", field)
    # Selected and typed over, as a user does: clear() would change the field on its own.
    field.send_keys(Keys.CONTROL, "a")
    field.send_keys(*([text] if text else [Keys.DELETE]), *([Keys.ENTER] if enter else []))


# Camera ----------------------------------------------------------------------------------

CAMERA_STARTUP = {"pixel-um": "3.76", "sensor-width-px": "6248", "sensor-height-px": "4176",
                  "seeing": "2", "tube-material": "none", "temperature-change": "0"}
CAMERA_CHANGED = {"pixel-um": "2.4", "sensor-width-px": "3000", "sensor-height-px": "2000",
                  "seeing": "1.5", "tube-material": "carbon", "temperature-change": "10"}


def cli_camera_args(camera, design=None):
    args = ["camera", *design_options(design or {}), "--pixel-um", camera["pixel-um"],
            "--sensor-px", f"{camera['sensor-width-px']}x{camera['sensor-height-px']}",
            "--seeing", camera["seeing"], "--temperature-change", camera["temperature-change"]]
    if camera["tube-material"] != "none":
        args += ["--tube-material", camera["tube-material"]]
    return args + ["--svg"]


def camera_fields(driver):
    return driver.execute_script(
        "const fields = {}; for (const name of arguments[0]) fields[name] = document.getElementById(name).value;"
        "return fields;", list(CAMERA_STARTUP))


def set_camera(driver, camera):
    for name, value in camera.items():
        if name == "tube-material":
            Select(driver.find_element(By.ID, name)).select_by_value(value)
        else:
            type_into(driver, name, value, enter=True)


def check_camera_picture(driver, camera, what):
    expected = cli_file(cli_camera_args(camera), "camera.svg")
    shown = link_bytes(driver, "download-svg")
    check(shown == expected, f"camera picture {what} against spekulor-cli {' '.join(cli_camera_args(camera))}",
          "" if shown is None else f"{len(shown)} bytes against {len(expected)}")
    check(link_shows_inline(driver, "download-svg", 0), f"camera picture {what}: the link is the inline picture")
    check(text_of(driver, "picture-refusal") == "", f"camera picture {what}: no reason shown")


def camera_checks(driver):
    driver.get(url)
    wait_ready(driver)
    check(not driver.find_element(By.ID, "camera-fields").is_displayed(), "camera fields hidden on the layout tab")
    show_tab(driver, "camera")
    check(driver.find_element(By.ID, "camera-fields").is_displayed(), "camera fields shown on the camera tab")
    check(camera_fields(driver) == CAMERA_STARTUP, "camera fields' start-up values", str(camera_fields(driver)))
    check(urllib.parse.urlparse(driver.current_url).query == "", "no camera values in the start-up address")
    check_camera_picture(driver, CAMERA_STARTUP, "of the start-up fields")

    set_camera(driver, CAMERA_CHANGED)
    check(camera_fields(driver) == CAMERA_CHANGED, "camera fields typed")
    check_camera_picture(driver, CAMERA_CHANGED, "of the typed fields")
    query = dict(urllib.parse.parse_qsl(urllib.parse.urlparse(driver.current_url).query))
    check(all(query.get(name) == value for name, value in CAMERA_CHANGED.items()),
          "camera values in the address", str(query))

    # The last change, the temperature, taken back: the fields before it.
    driver.back()
    wait_for(driver, lambda d: d.find_element(By.ID, "temperature-change").get_attribute("value") == "0",
             "the back button restores the temperature change")
    before = dict(CAMERA_CHANGED, **{"temperature-change": "0"})
    check(camera_fields(driver) == before, "camera fields after the back button", str(camera_fields(driver)))
    check_camera_picture(driver, before, "after the back button")

    # Fields that cannot be read: the window's reason in place of the picture.
    for name, text, reason in (
            ("pixel-um", "2,4", "The pixel size is not a number."),
            ("sensor-width-px", "3000.5", "The sensor's size is not a whole number of pixels."),
            ("seeing", "", "The seeing is not a number."),
            ("temperature-change", "ten", "The temperature change is not a number.")):
        set_camera(driver, CAMERA_CHANGED)
        type_into(driver, name, text, enter=True)
        shown = text_of(driver, "picture-refusal")
        pictures = driver.execute_script("return document.querySelectorAll('#picture svg').length")
        check(shown == reason and pictures == 0, f"camera field {name} = {text!r}: the reason instead of the picture",
              f"{shown!r}, {pictures} pictures")

    # A link with camera values opens them, for a design of its own too.
    design = {"type": "dall-kirkham", "unit": "inch", "diameter": "8", "primary-focal-length": "24",
              "system-focal-length": "80", "back-focal-length": "8"}
    driver.get(url + "?" + urllib.parse.urlencode({**design, **CAMERA_CHANGED}))
    wait_ready(driver)
    show_tab(driver, "camera")
    check(camera_fields(driver) == CAMERA_CHANGED, "camera fields of a link")
    expected = cli_file(cli_camera_args(CAMERA_CHANGED, design), "camera-link.svg")
    check(link_bytes(driver, "download-svg") == expected,
          "camera picture of a link with a design against spekulor-cli camera")


# Mirror tests ----------------------------------------------------------------------------

def cli_primary_test(design, extra=()):
    run = cli_run(["primary-test", *design_options(design), *extra])
    return run.stdout


def table_rows(text, header_start):
    """The header line whose first two words are `header_start`'s, the rows under it
    (split; each starts with its zone's number) and the index of the line after them."""
    lines = text.split("\n")
    first = next(i for i, line in enumerate(lines) if line.split()[:2] == header_start.split())
    rows = []
    for line in lines[first + 1:]:
        if not line.split() or not line.split()[0].isdigit():
            break
        rows.append(line.split())
    return lines[first], rows, first + 1 + len(rows)


def page_table(driver):
    return driver.execute_script(
        "const table = document.getElementById('zone-table');"
        "return [Array.from(table.tHead.rows[0].cells, (c) => c.textContent),"
        " Array.from(table.tBodies[0].rows, (r) => Array.from(r.cells, (c) => c.textContent)),"
        " document.getElementById(table.getAttribute('aria-labelledby')).textContent];")


def close(text, value, decimals):
    return abs(float(text) - value) <= 0.5 * 10 ** -decimals + 1e-12


def mirror_checks(driver, design, readings_offsets, refit_roc_factor, what):
    driver.get(url + ("?" + urllib.parse.urlencode(design) if design else ""))
    wait_ready(driver)
    check(not driver.find_element(By.ID, "mirror-tests").is_displayed(), f"{what}: zone table hidden on the layout tab")
    show_tab(driver, "mirror-tests")
    figures = json.loads(cli_primary_test(design, ["--json"]))
    table = cli_primary_test(design)
    titles, rows, caption = page_table(driver)
    header, cli_rows, _ = table_rows(table, "Zone Inner")
    check(" ".join(titles[:6]) == " ".join(header.split()), f"{what}: column titles against spekulor-cli primary-test",
          f"{titles} against {header!r}")
    check(titles[6:] == ["Measured", "Surface"], f"{what}: the maker's columns")
    check(f"({figures['unit']})" in caption, f"{what}: the table's title names the unit", caption)
    check([row[:6] for row in rows] == cli_rows, f"{what}: zone table's cells against spekulor-cli primary-test's table",
          f"{[row[:6] for row in rows]} against {cli_rows}")
    length, reading = (3, 4) if figures["unit"] == "inch" else (2, 3)
    numbers_close = len(rows) == len(figures["zones"]) and all(
        close(row[1], zone["inner"], length) and close(row[2], zone["outer"], length)
        and close(row[3], zone["radius"], length) and close(row[4], zone["reading"], reading)
        and close(row[5], zone["reading_from_first"], reading)
        for row, zone in zip(rows, figures["zones"]))
    check(numbers_close, f"{what}: zone table's cells against spekulor-cli primary-test --json")
    check(all(row[7] == "" for row in rows), f"{what}: surface column empty before readings")
    check(text_of(driver, "reduction").startswith("Type the measured reading of every zone"),
          f"{what}: reduction asks for the readings")

    # Readings: the expected ones with a zonal error, typed zone by zone.
    readings = [f"{zone['reading'] + offset:.{reading}f}"
                for zone, offset in zip(figures["zones"], readings_offsets(len(figures["zones"])))]
    for zone, text in enumerate(readings[:-1]):
        type_into(driver, f"reading-{zone + 1}", text)
    check(all(row[7] == "" for row in page_table(driver)[1]), f"{what}: surface column empty with a zone left")
    type_into(driver, f"reading-{len(readings)}", "x")
    check(text_of(driver, "reduction").startswith("Cannot reduce the readings: "),
          f"{what}: a reading that is not a number stops the reduction", text_of(driver, "reduction"))
    type_into(driver, f"reading-{len(readings)}", readings[-1])
    reduced = cli_primary_test(design, ["--readings", ",".join(readings)])
    _, cli_reduction, end = table_rows(reduced, "Zone Radius")
    summary = "\n".join(reduced.split("\n")[end:])
    surfaces = [row[7] for row in page_table(driver)[1]]
    check(surfaces == [row[4] for row in cli_reduction], f"{what}: surface column against spekulor-cli primary-test --readings",
          f"{surfaces} against {[row[4] for row in cli_reduction]}")
    shown = text_of(driver, "reduction")
    check(shown == summary, f"{what}: reduction text against spekulor-cli primary-test --readings",
          f"{shown!r} against {summary!r}")
    reduction = json.loads(cli_primary_test(design, ["--readings", ",".join(readings), "--json"]))["reduction"]
    wavefront = [float(line.split()[4]) for line in shown.split("\n") if line.startswith("Wavefront error")]
    strehl = [float(line.split()[-1]) for line in shown.split("\n") if line.startswith("Strehl")]
    conic = [line.split()[3] for line in shown.split("\n") if line.startswith("Best-fit conic")]
    check(len(wavefront) == 2 and abs(wavefront[0] - reduction["wavefront_rms_waves"]) <= 5e-5
          and abs(wavefront[1] - reduction["wavefront_pv_waves"]) <= 5e-5
          and len(strehl) == 1 and abs(strehl[0] - reduction["strehl"]) <= 5e-5
          and len(conic) == 1 and (reduction["best_fit_conic"] is None or abs(float(conic[0]) - reduction["best_fit_conic"]) <= 5e-5),
          f"{what}: reduction's figures against spekulor-cli primary-test --readings --json")
    surface_numbers = [float(s) for s in surfaces]
    check(all(abs(a - b) <= 0.05 + 1e-9 for a, b in zip(surface_numbers, reduction["surface_error_nm"])),
          f"{what}: surface column against --json's surface errors")

    # The mask at 1:1.
    check(link_bytes(driver, "download-mask") == cli_file(["primary-test", *design_options(design), "--mask"], "mask.svg"),
          f"{what}: mask link against spekulor-cli primary-test --mask")
    check(link_name(driver, "download-mask") == "mask.svg", f"{what}: mask link's name")

    # The refit: the design's radius and conic to start from, then a changed radius.
    start_roc = driver.find_element(By.ID, "measured-primary-roc").get_attribute("value")
    start_cc = driver.find_element(By.ID, "measured-primary-cc").get_attribute("value")
    check(close(start_roc, figures["radius_of_curvature"], length) and close(start_cc, figures["conic"], 4),
          f"{what}: refit starts from the design's primary", f"{start_roc}, {start_cc}")
    check(text_of(driver, "refit") == "", f"{what}: no refit before Refit")
    roc = f"{figures['radius_of_curvature'] * refit_roc_factor:.{length}f}"
    type_into(driver, "measured-primary-roc", roc, enter=True)
    expected = cli_run(["refit", *design_options(design), "--measured-primary-roc", roc,
                        "--measured-primary-cc", start_cc])
    check(text_of(driver, "refit") == expected.stdout and expected.returncode == 0,
          f"{what}: refit of primary radius {roc} against spekulor-cli refit", text_of(driver, "refit")[:200])
    secondary = f"{figures['radius_of_curvature'] * 0.45:.{length}f}"
    type_into(driver, "measured-secondary-roc", secondary)
    driver.find_element(By.CSS_SELECTOR, '#refit-fields input[value="focal-length"]').click()
    driver.find_element(By.ID, "refit-button").click()
    expected = cli_run(["refit", *design_options(design), "--measured-primary-roc", roc,
                        "--measured-primary-cc", start_cc, "--measured-secondary-roc", secondary,
                        "--keep", "focal-length"])
    shown = text_of(driver, "refit")
    cli_text = expected.stdout if expected.returncode == 0 else expected.stderr
    check(shown == cli_text, f"{what}: refit keeping the focal length, secondary {secondary}, against spekulor-cli refit",
          f"{shown[:200]!r} against {cli_text[:200]!r}")

    # The same design's tab again keeps what was typed.
    show_tab(driver, "layout")
    show_tab(driver, "mirror-tests")
    check(text_of(driver, "refit") == shown and [row[7] for row in page_table(driver)[1]] == surfaces,
          f"{what}: readings and refit kept when the tab is shown again")


# Downloads -------------------------------------------------------------------------------

TABS = ("layout", "quality", "baffles", "collimation", "mirror-tests", "camera")
# Drawings a command writes alone, by tab and place, for the links' bytes (the
# collimation tab's is report-check.cjs's to compare).
CLI_PICTURES = {("layout", 0): ["trace", "--layout"], ("layout", 1): ["trace", "--spots"],
                ("quality", 0): ["quality", "--svg"], ("baffles", 0): ["baffles", "--svg"],
                ("mirror-tests", 0): ["primary-test", "--mask"], ("mirror-tests", 1): ["primary-test", "--ronchi"],
                ("camera", 0): ["camera", "--pixel-um", "3.76", "--sensor-px", "6248x4176", "--svg"]}


def download_checks(driver):
    driver.get(url)
    wait_ready(driver)
    names = {kind: link_name(driver, f"download-{kind}") for kind in ("design", "lens", "zmx", "seq")}
    check(names == {"design": "untitled.spekulor", "lens": "untitled.len", "zmx": "untitled.zmx", "seq": "untitled.seq"},
          "design files' names as the window's Save dialogs propose them", str(names))
    for tab in TABS:
        show_tab(driver, tab)
        count = driver.execute_script("return document.querySelectorAll('#picture svg').length")
        links = driver.execute_script(
            "return Array.from(document.querySelectorAll('#picture a'), (a) => [a.id, a.download]);")
        wanted = [[f"download-svg{'' if i == 0 else f'-{i + 1}'}", f"{tab}{'' if i == 0 else f'-{i + 1}'}.svg"]
                  for i in range(count)]
        check(count > 0 and links == wanted, f"tab {tab}: {count} pictures, each with its named link", str(links))
        for index, (link_id, _) in enumerate(wanted):
            check(link_shows_inline(driver, link_id, index), f"tab {tab}: {link_id} holds the inline picture {index + 1}")
            command = CLI_PICTURES.get((tab, index))
            if command:
                check(link_bytes(driver, link_id) == cli_file(command, f"{tab}-{index}.svg"),
                      f"tab {tab}: {link_id} against spekulor-cli {' '.join(command)}")
    # A design file opened: the downloads are named after it.
    saved = os.path.join(scratch, "my-8-inch.spekulor")
    cli_run(["save", saved, "--type", "classical", "--unit", "inch", "--diameter", "8",
             "--system-focal-length", "80", "--primary-focal-length", "24", "--back-focal-length", "8"])
    driver.find_element(By.ID, "open").send_keys(saved)
    wait_for(driver, lambda d: link_name(d, "download-design") != "untitled.spekulor",
             "the design file's link renamed after Open")
    names = {kind: link_name(driver, f"download-{kind}") for kind in ("design", "lens", "zmx", "seq")}
    check(names == {"design": "my-8-inch.spekulor", "lens": "my-8-inch.len", "zmx": "my-8-inch.zmx", "seq": "my-8-inch.seq"},
          "design files named after the file opened", str(names))
    with open(saved, "rb") as f:
        check(link_bytes(driver, "download-design") == f.read(), "design file of the opened file is its bytes")


# Phone width -----------------------------------------------------------------------------

def fits(driver, element_id):
    right, width = driver.execute_script(
        "return [document.getElementById(arguments[0]).getBoundingClientRect().right,"
        " document.documentElement.clientWidth];", element_id)
    return right <= width + 0.5, f"right edge {right:.0f} of {width}"


def phone_checks(driver):
    driver.set_window_size(360, 800)
    driver.get(url)
    wait_ready(driver)
    inner = driver.execute_script("return window.innerWidth")
    print(f"phone width: the page is {inner} pixels wide")
    show_tab(driver, "camera")
    for name in CAMERA_STARTUP:
        ok, detail = fits(driver, name)
        check(ok and driver.find_element(By.ID, name).is_displayed(), f"phone: camera field {name} on the screen", detail)
    set_camera(driver, CAMERA_CHANGED)
    check(link_bytes(driver, "download-svg") == cli_file(cli_camera_args(CAMERA_CHANGED), "phone-camera.svg"),
          "phone: camera fields typed draw the camera's picture")
    wide = driver.execute_script("return document.documentElement.scrollWidth > document.documentElement.clientWidth")
    check(not wide, "phone: camera tab does not scroll sideways")
    show_tab(driver, "mirror-tests")
    wide = driver.execute_script("return document.documentElement.scrollWidth > document.documentElement.clientWidth")
    check(not wide, "phone: mirror tests tab does not scroll sideways")
    for element_id in ("zone-table", "refit-fields"):
        ok, detail = fits(driver, element_id if element_id != "zone-table" else "mirror-tests")
        check(ok, f"phone: {element_id}'s box on the screen", detail)
    zones = driver.execute_script("return document.getElementById('zone-table').tBodies[0].rows.length")
    for zone in range(zones):
        type_into(driver, f"reading-{zone + 1}", "1")
    check("Wavefront error RMS" in text_of(driver, "reduction") or "Cannot reduce" in text_of(driver, "reduction"),
          "phone: every zone's reading field takes typing")


driver = start_chromium()
try:
    camera_checks(driver)
    mirror_checks(driver, {}, lambda n: [0.004 * (i % 3) for i in range(n)], 1.02, "start-up design")
    mirror_checks(driver, {"type": "dall-kirkham", "unit": "inch", "diameter": "8", "primary-focal-length": "24",
                           "system-focal-length": "80", "back-focal-length": "8"},
                  lambda n: [0.0003 * i for i in range(n)], 0.99, "8 inch Dall-Kirkham")
    download_checks(driver)
    phone_checks(driver)
finally:
    driver.quit()
sys.exit(tally.finish())
