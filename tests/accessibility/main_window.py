#!/usr/bin/env python3
"""The main window as a screen reader meets it over AT-SPI: each control
named by its own caption, no name with an access key's "&", and the status
line's whole text after an Iniciar that leaves a word out.
Run through run_under_bus.sh: main_window.py <sopaly executable>"""
import os, shutil, subprocess, sys, tempfile, time
import pyatspi


def fail(message):
    sys.exit("accessibility: FAIL: " + message)


def wait_for(what, probe):
    for _ in range(200):
        found = probe()
        if found:
            return found
        time.sleep(0.1)
    fail("timed out waiting for " + what)


def walk(node):
    yield node
    for child in filter(None, (node.getChildAtIndex(i) for i in range(node.childCount))):
        yield from walk(child)


def find(root, role, name, contains=False):
    return next((n for n in walk(root) if n.getRole() == role
                 and (name in n.name if contains else n.name == name)), None)


def application(program):
    if program.poll() is not None:
        fail("the program ended with %d" % program.returncode)
    desktop = pyatspi.Registry.getDesktop(0)
    apps = filter(None, (desktop.getChildAtIndex(i) for i in range(desktop.childCount)))
    return next((a for a in apps if a.get_process_id() == program.pid), None)


def check_names(app):
    for name in ["Filas", "Columnas", "Maximo de Palabras", "# de Rompecabezas",
                 "Escribe aquí las Palabras", "Rompecabezas"]:
        find(app, pyatspi.ROLE_TEXT, name) or fail("no text box named %r" % name)
    for name in ["Master", "Facil"]:
        find(app, pyatspi.ROLE_RADIO_BUTTON, name) or fail("no option named %r" % name)
    banners = [n for n in walk(app) if n.name == "Anuncio del patrocinador"]
    if not banners or not all(n.description for n in banners):
        fail("the banner is unnamed or does not say what a click does")
    ampersands = sorted({n.name for n in walk(app) if "&" in n.name.replace("&&", "")})
    ampersands and fail("names with an access key's '&': %r" % ampersands)


def start_with_a_word_left_out(app):
    for name in ["Filas", "Columnas"]:
        find(app, pyatspi.ROLE_TEXT, name).queryEditableText().setTextContents("5")
    entry = find(app, pyatspi.ROLE_TEXT, "Escribe aquí las Palabras")
    for word in ["SOL", "MAR", "BIBLIOTECARIA"]:
        entry.queryComponent().grabFocus()
        entry.queryEditableText().setTextContents(word)
        pyatspi.Registry.generateKeyboardEvent(0xff0d, None, pyatspi.KEY_SYM)  # Return
        wait_for("the word in the list", lambda: entry.queryText().characterCount == 0)
    button = find(app, pyatspi.ROLE_PUSH_BUTTON, "Iniciar")
    wait_for("Iniciar enabled", lambda: button.getState().contains(pyatspi.STATE_ENABLED))
    button.queryAction().doAction(0)


def main(executable):
    work = tempfile.mkdtemp(prefix="sopaly-atspi.")
    folder = os.path.join(work, "program")
    shutil.copytree(os.path.dirname(executable), folder, symlinks=True)
    env = dict(os.environ, XDG_CONFIG_HOME=work + "/config", XDG_CONFIG_DIRS=work + "/xdg",
               XDG_RUNTIME_DIR=work)
    program = subprocess.Popen([os.path.join(folder, os.path.basename(executable))],
                               cwd=work, env=env)
    try:
        app = wait_for("the program on the accessibility bus", lambda: application(program))
        wait_for("the main window", lambda: find(app, pyatspi.ROLE_TEXT, "Filas"))
        check_names(app)
        start_with_a_word_left_out(app)
        status = wait_for("the status line's text", lambda: find(
            app, pyatspi.ROLE_STATUS_BAR, "No caben: BIBLIOTECARIA.", contains=True))
        print("accessibility: the status line reads: " + status.name)
        puzzle = find(app, pyatspi.ROLE_TEXT, "Rompecabezas").queryText()
        line = puzzle.getTextAtOffset(0, pyatspi.TEXT_BOUNDARY_LINE_START)[0]
        len(line.split()) == 5 or fail("the puzzle's first line reads %r" % line)
    finally:
        program.kill()
        program.wait()
        shutil.rmtree(work, ignore_errors=True)


main(os.path.abspath(sys.argv[1]))
