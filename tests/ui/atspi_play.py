"""Reads and solves the play window through AT-SPI, as a screen reader does.

Run by atspi_play.sh under X with the accessibility bus. With a folder as its
argument it also plays a whole game and keeps screenshots there.
"""
import os
import re
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

WORDS = ["casa", "perro", "sol", "gato", "luna"]
STEPS = [(0, 1), (0, -1), (1, 0), (-1, 0), (1, 1), (-1, -1), (1, -1), (-1, 1)]


def fail(message):
    print("atspi: FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def xdotool(*args):
    subprocess.run(["xdotool", *args], check=True, timeout=30)


def keys(*names):
    xdotool("key", "--clearmodifiers", "--delay", "60", *names)


# The names of the objects that told the screen reader they took the focus.
FOCUSED = []


def on_focus(event):
    if event.detail1 == 1:
        FOCUSED.append(event.source.name)


def wait_for(what, test, seconds=20):
    deadline = time.time() + seconds
    while time.time() < deadline:
        while GLib.MainContext.default().iteration(False):
            pass
        try:
            found = test()
        except Exception:  # the tree changes under our feet while it is read
            found = None
        if found:
            return found
        time.sleep(0.1)
    fail("timed out waiting for " + what)


def x_window(name):
    out = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", name],
                         capture_output=True, text=True, timeout=30).stdout.split()
    return out[0] if out else None


def frame(title):
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is None:
            continue
        for window in app:
            if window is not None and window.name == title:
                return window
    return None


def find(root, role, name_pattern=None):
    return pyatspi.findDescendant(root, lambda a: a.getRole() == role and (
        name_pattern is None or re.match(name_pattern, a.name or "")))


def shot(folder, name):
    if folder:
        subprocess.run(["import", "-window", "root", os.path.join(folder, name + ".png")],
                       check=True, timeout=30)


def read_table(table):
    rows, cols = table.nRows, table.nColumns
    letters = {}
    for r in range(rows):
        for c in range(cols):
            name = table.getAccessibleAt(r, c).name
            m = re.fullmatch(r"(\w|vacía), fila (\d+), columna (\d+)(, encontrada)?", name)
            if not m or (int(m.group(2)), int(m.group(3))) != (r + 1, c + 1):
                fail("cell %d,%d is named %r" % (r, c, name))
            letters[(r, c)] = "" if m.group(1) == "vacía" else m.group(1)
    return rows, cols, letters


def place_of(word, rows, cols, letters):
    word = word.upper()
    for (r, c) in letters:
        for dr, dc in STEPS:
            cells = [(r + i * dr, c + i * dc) for i in range(len(word))]
            if all(letters.get(cell, "").upper() == ch for cell, ch in zip(cells, word)):
                return cells[0], cells[-1]
    fail("%s is nowhere in the grid" % word)


def focused_cell(table, rows, cols):
    for r in range(rows):
        for c in range(cols):
            if table.getAccessibleAt(r, c).getState().contains(pyatspi.STATE_FOCUSED):
                return (r, c)
    return None


def walk(table, rows, cols, at, to):
    """Moves the cursor cell by cell with the arrows, checking the focus."""
    while at != to:
        step = ("Down", (1, 0)) if at[0] < to[0] else ("Up", (-1, 0)) if at[0] > to[0] else \
            ("Right", (0, 1)) if at[1] < to[1] else ("Left", (0, -1))
        heard = len(FOCUSED)
        keys(step[0])
        at = (at[0] + step[1][0], at[1] + step[1][1])
        wait_for("the focus on cell %s" % (at,), lambda: focused_cell(table, rows, cols) == at)
        # A screen reader speaks what the focus event names; on a busy
        # machine other events may come after it.
        cell = ", fila %d, columna %d" % (at[0] + 1, at[1] + 1)
        wait_for("a focus event from cell %s" % (at,),
                 lambda: any(cell in name for name in FOCUSED[heard:]))
    return at


def solve(table, counter, word, at, rows, cols, letters, found):
    first, last = place_of(word, rows, cols, letters)
    at = walk(table, rows, cols, at, first)
    keys("space")
    at = walk(table, rows, cols, at, last)
    keys("Return")
    wait_for("the counter to say %d" % found,
             lambda: counter.name.startswith("Encontradas: %d de" % found))
    return at


def open_game():
    wait_for("the main window", lambda: x_window("^Sopaly!!!$"))
    time.sleep(1)
    for word in WORDS:
        xdotool("type", "--delay", "40", word)
        keys("Return")
    keys("alt+i")
    time.sleep(1)
    keys("alt+v")
    time.sleep(1)
    keys("ctrl+j")
    play = wait_for("the play window in the accessibility tree", lambda: frame("Jugar - Sopaly!!!"))
    xdotool("windowfocus", "--sync", wait_for("the play window", lambda: x_window("^Jugar - Sopaly")))
    return play


def main():
    program, folder = sys.argv[1], (sys.argv[2] if len(sys.argv) > 2 else "")
    pyatspi.Registry.registerEventListener(on_focus, "object:state-changed:focused")
    # Started once the listener is known to the registry: a program that
    # asked for the listeners before that would never send the focus events.
    work = os.path.dirname(os.path.dirname(program))
    with open(os.path.join(work, "stdout.txt"), "w") as out, \
            open(os.path.join(work, "stderr.txt"), "w") as err:
        running = subprocess.Popen([program], cwd=work, stdout=out, stderr=err)
    try:
        play_and_check(folder)
    finally:
        running.terminate()


def play_and_check(folder):
    play = open_game()
    table_object = wait_for("the grid as a table", lambda: find(play, pyatspi.ROLE_TABLE))
    table = table_object.queryTable()
    rows, cols, letters = read_table(table)
    if table_object.childCount != rows * cols or rows < 5:
        fail("a table of %d × %d has %d cells" % (rows, cols, table_object.childCount))
    counter = find(play, pyatspi.ROLE_LABEL, r"Encontradas: 0 de \d+")
    if counter is None:
        fail("no counter says Encontradas: 0")
    listed = [item.name for item in find(play, pyatspi.ROLE_LIST)]
    if sorted(listed) != sorted(w.upper() for w in WORDS):
        fail("the list reads %r" % listed)
    for name in ("Pista", "Rendirse", "Cerrar"):
        if find(play, pyatspi.ROLE_PUSH_BUTTON, name) is None:
            fail("no button named " + name)
    at = wait_for("the focus on the first cell", lambda: focused_cell(table, rows, cols))
    at = solve(table, counter, listed[0], at, rows, cols, letters, 1)
    first, _ = place_of(listed[0], rows, cols, letters)
    if not table.getAccessibleAt(*first).name.endswith(", encontrada"):
        fail("a found word's cell does not say so")
    shot(folder, "play-mid-game")
    if folder:
        for found, word in enumerate(listed[1:], start=2):
            at = solve(table, counter, word, at, rows, cols, letters, found)
        wait_for("the end message", lambda: find(play, pyatspi.ROLE_LABEL, r"¡Muy bien!"))
        shot(folder, "play-end")
    print("atspi: the grid reads as a %d × %d table and a word was found with the keys" % (rows, cols))


main()
