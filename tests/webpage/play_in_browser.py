#!/usr/bin/env python3
"""Plays each page that tst_webpage had the window write, in Debian's
chromium, headless, through chromium-driver: the grid as a screen reader
meets it, a word found by a mouse drag, one by the keyboard alone, one by two
taps of a finger, a wrong selection ignored, the rest dragged backwards, the
end message, and no request but the page itself.

    play_in_browser.py PAGES [--shots FOLDER]   (--shots also photographs
                                                 the first page on a phone
                                                 and a large screen)
Exit code 77, with the reason, where the browser cannot start."""
import json
import pathlib
import re
import sys

def skip(reason):
    print("SKIPPED: " + reason)
    sys.exit(77)

try:
    from selenium import webdriver
    from selenium.webdriver.chrome.service import Service
    from selenium.webdriver.common.action_chains import ActionChains
    from selenium.webdriver.common.actions import interaction
    from selenium.webdriver.common.actions.action_builder import ActionBuilder
    from selenium.webdriver.common.actions.pointer_input import PointerInput
    from selenium.webdriver.common.keys import Keys
except ImportError:
    skip("python3-selenium is not installed")

def browser(width=1280, height=900):
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--lang=es",
                     f"--window-size={width},{height}"):
        options.add_argument(argument)
    options.set_capability("goog:loggingPrefs", {"performance": "ALL"})
    try:
        driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    except Exception as error:  # no chromium, no driver, no sandbox: say which
        skip("chromium could not start: " + str(error).splitlines()[0])
    # The page's own viewport, whatever the window around it takes.
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
        "width": width, "height": height, "deviceScaleFactor": 1, "mobile": width < 600})
    return driver

def text(driver, element_id):
    return driver.find_element("id", element_id).text

def cell(driver, at):
    return driver.execute_script(
        "return document.querySelectorAll('[role=row]')[arguments[0]]"
        ".querySelectorAll('[role=gridcell]')[arguments[1]]", at[0], at[1])

def drag(driver, first, last):
    ActionChains(driver).click_and_hold(cell(driver, first)).move_to_element(
        cell(driver, last)).release().perform()

def taps(driver, first, last):
    finger = ActionBuilder(driver, mouse=PointerInput(interaction.POINTER_TOUCH, "finger"))
    for at in (first, last):
        finger.pointer_action.move_to(cell(driver, at)).pointer_down().pointer_up()
    finger.perform()

def cursor(driver):
    return driver.execute_script(
        "const cells = [...document.querySelectorAll('[role=gridcell]')];"
        "const i = cells.indexOf(document.activeElement);"
        "return i < 0 ? null : [Math.floor(i / arguments[0]), i % arguments[0]]", cols)

def press(driver, *keys):
    ActionChains(driver).send_keys(*keys).perform()

def walk_to(driver, target):
    for _ in range(200):
        now = cursor(driver)
        if now == list(target):
            return
        keys = ([Keys.ARROW_DOWN] if target[0] > now[0] else [Keys.ARROW_UP] if target[0] < now[0] else []) + \
               ([Keys.ARROW_RIGHT] if target[1] > now[1] else [Keys.ARROW_LEFT] if target[1] < now[1] else [])
        for key in keys:
            press(driver, key)
            if cursor(driver) != now:
                break
        else:  # the shape's edge: round it along the row
            press(driver, Keys.HOME if target[1] < now[1] else Keys.END)
    raise AssertionError(f"the keys never reached {target}")

def by_keys(driver, first, last):
    for _ in range(5):  # the grid is the first stop of the tab order
        if cursor(driver) is not None:
            break
        press(driver, Keys.TAB)
    walk_to(driver, first)
    press(driver, Keys.ENTER)
    walk_to(driver, last)
    press(driver, Keys.SPACE)

def found(driver):
    return int(re.match(r"Encontradas: (\d+) de", text(driver, "counter")).group(1))

def requests(driver):
    urls = []
    for entry in driver.get_log("performance"):
        message = json.loads(entry["message"])["message"]
        if message["method"] == "Network.requestWillBeSent":
            urls.append(message["params"]["request"]["url"])
    return [url for url in urls if not url.startswith("data:")]

def not_a_word(answer, word):
    """A line from the word's first letter one letter short of its last."""
    (r0, c0), (r1, c1) = word["first"], word["last"]
    n = max(abs(r1 - r0), abs(c1 - c0))
    short = [r0 + (r1 - r0) // n * (n - 1), c0 + (c1 - c0) // n * (n - 1)]
    ends = {(tuple(w["first"]), tuple(w["last"])) for w in answer["words"]}
    assert (tuple(word["first"]), tuple(short)) not in ends
    return word["first"], short

def play(page, answer, shots=None, size=None):
    global cols
    cols = answer["cols"]
    driver = browser(*size) if size else browser()
    try:
        url = page.resolve().as_uri()
        driver.get(url)
        grid = driver.execute_script(
            "return [...document.querySelectorAll('[role=grid] > [role=row]')].map(row =>"
            " [...row.querySelectorAll('[role=gridcell]')].map(cell => cell.textContent))")
        assert len(grid) == answer["rows"] and all(len(row) == cols for row in grid), grid
        assert sum(grid, []) == answer["letters"], "the grid's letters differ"
        words = answer["words"]
        if answer["hidden"]:
            assert text(driver, "hidden-list") == f"Encuentra las {len(words)} palabras escondidas."
            assert not driver.find_element("id", "words").is_displayed()
        assert text(driver, "counter") == f"Encontradas: 0 de {len(words)}"
        drag(driver, words[0]["first"], words[0]["last"])
        assert found(driver) == 1 and words[0]["text"] in text(driver, "live")
        by_keys(driver, words[1]["first"], words[1]["last"])
        assert found(driver) == 2, text(driver, "counter")
        drag(driver, *not_a_word(answer, words[2]))
        assert found(driver) == 2 and text(driver, "live") == "No es ninguna de las palabras escondidas."
        if shots:
            driver.save_screenshot(str(shots / "mitad.png"))
        taps(driver, words[2]["first"], words[2]["last"])
        assert found(driver) == 3, text(driver, "counter")
        for word in words[3:]:
            drag(driver, word["last"], word["first"])
        end = text(driver, "end")
        assert re.fullmatch(rf"¡Muy bien! Encontraste las {len(words)} palabras en \d+:\d\d\.", end), end
        if shots:
            driver.execute_script("document.getElementById('end').scrollIntoView()")
            driver.save_screenshot(str(shots / "final.png"))
        assert requests(driver) == [url], requests(driver)
    finally:
        driver.quit()

def main():
    pages = pathlib.Path(sys.argv[1])
    answers = sorted(pages.glob("*.json"))
    if not answers:
        sys.exit(f"no pages in {pages}: tst_webpage writes them")
    if "--shots" in sys.argv:
        folder = pathlib.Path(sys.argv[sys.argv.index("--shots") + 1])
        for name, size in (("telefono", (390, 844)), ("pantalla", (1920, 1080))):
            (folder / name).mkdir(parents=True, exist_ok=True)
            play(answers[0].with_suffix(".html"), json.loads(answers[0].read_text()), folder / name, size)
        return
    for answer in answers:
        play(answer.with_suffix(".html"), json.loads(answer.read_text()))
        print("played", answer.with_suffix(".html").name)

if __name__ == "__main__":
    main()
