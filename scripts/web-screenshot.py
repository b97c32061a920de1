#!/usr/bin/python3
"""The README's picture of the browser page: the start-up design on the image quality
tab, in headless Chromium (Debian's chromium and chromium-driver).

    scripts/web-screenshot.py http://127.0.0.1:PORT/ OUT.png

scripts/web.sh screenshot serves the site and writes docs/web-page.png.
"""
import sys

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.support.ui import WebDriverWait

url, out = sys.argv[1], sys.argv[2]
options = webdriver.ChromeOptions()
for flag in ("--headless=new", "--no-sandbox", "--disable-gpu", "--window-size=1700,1100",
             "--hide-scrollbars", "--force-device-scale-factor=1"):
    options.add_argument(flag)
options.binary_location = "/usr/bin/chromium"
driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
try:
    driver.get(url)
    WebDriverWait(driver, 20).until(
        lambda d: d.execute_script("return document.body.dataset.ready") == "true")
    driver.execute_script("document.querySelector('#tabs button[data-tab=\"quality\"]').click()")
    WebDriverWait(driver, 20).until(
        lambda d: d.execute_script("return document.querySelectorAll('#picture svg').length") > 0)
    driver.save_screenshot(out)
finally:
    driver.quit()
