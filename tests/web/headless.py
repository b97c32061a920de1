"""What the page's checks, its benchmark and its screenshot share: headless Chromium
(Debian's chromium and chromium-driver, driven by python3-selenium), the page's "ready"
mark, a free port, and the tally of comparisons."""
import socket

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.support.ui import WebDriverWait


def start_chromium(window_size="1200,900", extra_flags=()):
    """A headless Chromium of that window size; the caller quits it."""
    options = webdriver.ChromeOptions()
    for flag in ("--headless=new", "--no-sandbox", "--disable-gpu", f"--window-size={window_size}",
                 *extra_flags):
        options.add_argument(flag)
    options.binary_location = "/usr/bin/chromium"
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)


def wait_ready(driver, seconds=30):
    """Until the page has shown its first report (main.js marks the body)."""
    WebDriverWait(driver, seconds).until(
        lambda d: d.execute_script("return document.body && document.body.dataset.ready") == "true")


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class Tally:
    """Prints each comparison as "same" or "DIFFERENT" and counts the differences."""

    def __init__(self):
        self.failures = 0

    def check(self, same, what, detail=""):
        self.failures += 0 if same else 1
        print(f"{'same' if same else 'DIFFERENT'} {what}")
        if not same and detail:
            print(f"    {detail}")

    def finish(self):
        """Prints the count; the exit status: 1 when anything differed."""
        print(f"{self.failures} different")
        return 1 if self.failures else 0
