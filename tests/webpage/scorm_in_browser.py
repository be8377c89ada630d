#!/usr/bin/env python3
"""Plays the SCORM package that tst_webpage had the window write against a
SCORM 1.2 runtime written by others (scorm-again, from the npm registry): a
test page served from 127.0.0.1 gives `window.API` and opens the package's
page in a frame, in Debian's chromium, headless. Half the words found: score
50, "incomplete"; all: 100, "completed"; the session time set; the page
left: LMSFinish. The manifest is read back with xmllint; with no runtime
around, the page plays as the plain one.

    scorm_in_browser.py PAGES SCORM12_JS [--shots FOLDER]
Exit code 77, with the reason, where a tool is missing."""
import functools
import http.server
import json
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile
import threading
import time
import zipfile

from play_in_browser import browser, drag, skip, text

RUNTIME = """<!DOCTYPE html><html lang="es"><meta charset="utf-8"><title>Curso</title><link rel="icon" href="data:,">
<script src="scorm12.js"></script>
<script>
window.API = new Scorm12API({ logLevel: 5 });
window.calls = { LMSCommit: 0, LMSFinish: 0 };
for (const name of Object.keys(window.calls)) {
  const real = window.API[name].bind(window.API);
  window.API[name] = (...args) => { window.calls[name]++; return real(...args); };
}
</script>
<h1 style="font: 16px sans-serif">Curso de prueba</h1>
<iframe id="sco" src="paquete/index.html" title="SCO" style="width: 98vw; height: 85vh; border: 1px solid #888"></iframe>
"""

def xpath(manifest, expression):
    return subprocess.run(["xmllint", "--xpath", expression, str(manifest)],
                          capture_output=True, text=True, check=True).stdout.strip()

def read_manifest(manifest):
    if not shutil.which("xmllint"):
        skip("xmllint is not installed (libxml2-utils)")
    subprocess.run(["xmllint", "--noout", str(manifest)], check=True)
    name = lambda n: f"*[local-name()='{n}']"
    assert xpath(manifest, f"string(/{name('manifest')}/{name('metadata')}/{name('schemaversion')})") == "1.2"
    assert xpath(manifest, f"count(//{name('organization')})") == "1"
    assert xpath(manifest, f"count(//{name('item')})") == "1"
    assert xpath(manifest, f"string(//{name('item')}/{name('title')})") == "Granja <2ºB>"
    sco = f"//{name('resource')}[@*[local-name()='scormtype']='sco']"
    assert xpath(manifest, f"count({sco})") == "1"
    return xpath(manifest, f"string({sco}/@href)")

def serve(folder):
    class Quiet(http.server.SimpleHTTPRequestHandler):
        def log_message(self, *args):
            pass
    handler = functools.partial(Quiet, directory=str(folder))
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server

def runtime(driver):
    driver.switch_to.default_content()
    return driver.execute_script(
        "const core = JSON.parse(JSON.stringify(API.cmi)).core; return {raw: core.score.raw, min: core.score.min, max: core.score.max,"
        " status: core.lesson_status, time: core.session_time, calls: window.calls}")

def play(folder, answer, shots):
    words = answer["words"]
    half = len(words) // 2
    driver = browser(1280, 900)
    server = serve(folder)
    try:
        driver.get(f"http://127.0.0.1:{server.server_port}/runtime.html")
        driver.switch_to.frame("sco")
        for word in words[:half]:
            drag(driver, word["first"], word["last"])
        if shots:
            driver.save_screenshot(str(shots / "mitad.png"))
        held = runtime(driver)
        assert (held["raw"], held["min"], held["max"]) == (str(round(half * 100 / len(words), 2)).removesuffix(".0"), "0", "100"), held
        assert held["status"] == "incomplete" and held["calls"]["LMSCommit"] >= half + 1, held
        time.sleep(1.1)
        driver.switch_to.frame("sco")
        for word in words[half:]:
            drag(driver, word["last"], word["first"])
        assert text(driver, "end").startswith("¡Muy bien!")
        if shots:
            driver.save_screenshot(str(shots / "final.png"))
        held = runtime(driver)
        assert (held["raw"], held["status"]) == ("100", "completed"), held
        assert re.fullmatch(r"\d{4}:\d\d:\d\d\.\d\d", held["time"]) and held["time"] >= "0000:00:01", held
        driver.execute_script("document.getElementById('sco').src = 'about:blank'")
        time.sleep(0.5)
        assert driver.execute_script("return window.calls.LMSFinish") == 1
        # With no runtime around, the same page plays as the plain one.
        driver.get((folder / "paquete" / "index.html").as_uri())
        drag(driver, words[0]["first"], words[0]["last"])
        assert text(driver, "counter") == f"Encontradas: 1 de {len(words)}"
    finally:
        driver.quit()
        server.shutdown()

def main():
    pages, scorm12 = pathlib.Path(sys.argv[1]) / "scorm", pathlib.Path(sys.argv[2])
    if not scorm12.is_file():
        skip(f"scorm-again is not installed ({scorm12} is missing): scripts/install-deps.sh installs it")
    shots = pathlib.Path(sys.argv[sys.argv.index("--shots") + 1]) if "--shots" in sys.argv else None
    if shots:
        shots.mkdir(parents=True, exist_ok=True)
    with tempfile.TemporaryDirectory() as temporary:
        folder = pathlib.Path(temporary)
        with zipfile.ZipFile(pages / "paquete.zip") as package:
            package.extractall(folder / "paquete")
        assert (folder / "paquete" / read_manifest(folder / "paquete" / "imsmanifest.xml")).is_file()
        shutil.copy(scorm12, folder / "scorm12.js")
        (folder / "runtime.html").write_text(RUNTIME, encoding="utf-8")
        play(folder, json.loads((pages / "paquete.json").read_text()), shots)
    print("played the package against scorm-again")

if __name__ == "__main__":
    main()
