#!/usr/bin/env python3
"""The main window as a screen reader meets it over AT-SPI: every control
named by its own label, no name with an access key's "&", and the status
line's whole text after a build that leaves a word out.

    main_window.py <sopaly executable>   (run through run_under_bus.sh)
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

import pyatspi


def fail(message):
    print("accessibility: FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def wait_for(what, probe, seconds=20):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        found = probe()
        if found:
            return found
        time.sleep(0.1)
    fail("timed out waiting for " + what)


def walk(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def program_node(program):
    if program.poll() is not None:
        fail("the program ended with %d" % program.returncode)
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.get_process_id() == program.pid:
            return app
    return None


def named(app, role, name):
    for node in walk(app):
        if node.getRole() == role and node.name == name:
            return node
    return None


def start(executable, work):
    folder = os.path.join(work, "program")
    shutil.copytree(os.path.dirname(executable), folder, symlinks=True,
                    ignore=shutil.ignore_patterns("CMakeFiles", "*.o", "*_autogen"))
    env = dict(os.environ, XDG_CONFIG_HOME=os.path.join(work, "config"),
               XDG_CONFIG_DIRS=os.path.join(work, "xdg"), XDG_RUNTIME_DIR=work)
    return subprocess.Popen([os.path.join(folder, os.path.basename(executable))],
                            cwd=work, env=env)


def check_names(app):
    text = pyatspi.ROLE_TEXT
    for name in ["Filas", "Columnas", "Maximo de Palabras", "# de Rompecabezas",
                 "Escribe aquí las Palabras", "Rompecabezas"]:
        if not named(app, text, name):
            fail("no text box named " + repr(name))
    for name in ["Master", "Facil"]:
        if not named(app, pyatspi.ROLE_RADIO_BUTTON, name):
            fail("no option button named " + repr(name))
    banners = [n for n in walk(app) if n.name == "Anuncio del patrocinador"]
    if not banners or not all(n.description for n in banners):
        fail("the banner is unnamed or does not say what a click does")
    ampersands = sorted({n.name for n in walk(app) if "&" in n.name.replace("&&", "")})
    if ampersands:
        fail("names with an access key's '&': %r" % ampersands)


def build_with_a_word_left_out(app):
    named(app, pyatspi.ROLE_TEXT, "Filas").queryEditableText().setTextContents("5")
    named(app, pyatspi.ROLE_TEXT, "Columnas").queryEditableText().setTextContents("5")
    entry = named(app, pyatspi.ROLE_TEXT, "Escribe aquí las Palabras")
    for word in ["SOL", "MAR", "BIBLIOTECARIA"]:
        entry.queryComponent().grabFocus()
        entry.queryEditableText().setTextContents(word)
        pyatspi.Registry.generateKeyboardEvent(0xff0d, None, pyatspi.KEY_SYM)  # Return
        wait_for("the word to enter the list",
                 lambda: entry.queryText().characterCount == 0)
    start_button = wait_for("Iniciar enabled", lambda: next(
        (n for n in walk(app) if n.getRole() == pyatspi.ROLE_PUSH_BUTTON
         and n.name == "Iniciar" and n.getState().contains(pyatspi.STATE_ENABLED)), None))
    start_button.queryAction().doAction(0)


def main():
    if len(sys.argv) != 2:
        fail("usage: main_window.py <sopaly executable>")
    work = tempfile.mkdtemp(prefix="sopaly-atspi.")
    program = start(os.path.abspath(sys.argv[1]), work)
    try:
        app = wait_for("the program on the accessibility bus",
                       lambda: program_node(program))
        wait_for("the main window", lambda: named(app, pyatspi.ROLE_TEXT, "Filas"))
        check_names(app)
        build_with_a_word_left_out(app)
        wanted = "No caben: BIBLIOTECARIA."
        status = wait_for("the status line's text", lambda: next(
            (n for n in walk(app) if n.getRole() == pyatspi.ROLE_STATUS_BAR
             and wanted in n.name), None))
        print("accessibility: status line reads: " + status.name)
        puzzle = named(app, pyatspi.ROLE_TEXT, "Rompecabezas").queryText()
        line = puzzle.getTextAtOffset(0, pyatspi.TEXT_BOUNDARY_LINE_START)[0]
        if len(line.split()) != 5:
            fail("the puzzle's first line reads %r, not five cells" % line)
    finally:
        program.terminate()
        try:
            program.wait(10)
        except subprocess.TimeoutExpired:
            program.kill()
        shutil.rmtree(work, ignore_errors=True)
    print("accessibility: ok")


main()
