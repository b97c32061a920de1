#!/usr/bin/python3
"""The built page in headless Chromium (Debian's chromium and chromium-driver): the time
from navigation to the first report with a cold cache, and Calculate with the shown tab
redrawn, for each tab.

    tests/web/page-timing.py http://127.0.0.1:PORT/
"""
import sys
import tempfile
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import WebDriverWait

url = sys.argv[1]
options = webdriver.ChromeOptions()
for flag in ("--headless=new", "--no-sandbox", "--disable-gpu", "--window-size=1200,900"):
    options.add_argument(flag)
options.binary_location = "/usr/bin/chromium"
with tempfile.TemporaryDirectory() as profile:
    options.add_argument(f"--user-data-dir={profile}")  # a cold cache
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    try:
        driver.get(url)
        WebDriverWait(driver, 20).until(
            lambda d: d.find_element(By.TAG_NAME, "body").get_attribute("data-ready") == "true")
        body = driver.find_element(By.TAG_NAME, "body")
        print(f"first report {body.get_attribute('data-first-report-ms')} ms after navigation began "
              f"(cold cache); its Calculate with the layout tab {body.get_attribute('data-calculate-ms')} ms")
        for tab in ("layout", "baffles", "quality", "collimation", "mirror-tests", "camera"):
            driver.find_element(By.CSS_SELECTOR, f'#tabs button[data-tab="{tab}"]').click()
            started = time.perf_counter()
            driver.find_element(By.ID, "calculate").click()
            # Calculate runs in the click's handler: the click returns once it has drawn.
            elapsed = (time.perf_counter() - started) * 1000
            inside, shown = driver.execute_script(
                "return [document.body.dataset.calculateMs,"
                " document.querySelectorAll('#picture svg').length]")
            print(f"Calculate with tab {tab} redrawn: {inside} ms in the page, {elapsed:.0f} ms "
                  f"with webdriver's round trip; {shown} pictures")
    finally:
        driver.quit()
