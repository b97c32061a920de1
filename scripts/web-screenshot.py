#!/usr/bin/python3
"""The README's picture of the browser page: the start-up design on the image quality
tab, in headless Chromium (Debian's chromium and chromium-driver).

    scripts/web-screenshot.py http://127.0.0.1:PORT/ OUT.png

scripts/web.sh screenshot serves the site and writes docs/web-page.png.
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "web"))
from headless import start_chromium, wait_ready  # noqa: E402
from selenium.webdriver.support.ui import WebDriverWait  # noqa: E402

url, out = sys.argv[1], sys.argv[2]
driver = start_chromium("1700,1100", ("--hide-scrollbars", "--force-device-scale-factor=1"))
try:
    driver.get(url)
    wait_ready(driver)
    driver.execute_script("document.querySelector('#tabs button[data-tab=\"quality\"]').click()")
    WebDriverWait(driver, 20).until(
        lambda d: d.execute_script("return document.querySelectorAll('#picture svg').length") > 0)
    driver.save_screenshot(out)
finally:
    driver.quit()
