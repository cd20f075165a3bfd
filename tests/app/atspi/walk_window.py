"""Walks comtest's window through the AT-SPI bus as a screen reader does.

Usage (inside a D-Bus session of its own): walk_window.py PROGRAM
Starts a headless Wayland compositor, the program on it with port Com1 on a
pseudo-terminal, and checks what the bus shows: the frame named by the
window's caption with the controls right below it, the buttons, the radio
buttons with their groups, the lists with their labels, and the pane's text
and its events as bytes arrive. Prints one line per failed check and ends with 1 on any, 0 when
all hold, and 77 when the compositor or the bus cannot be started.
"""
import os
import subprocess
import sys
import tempfile
import time

import pyatspi
from gi.repository import GLib

SKIP = 77
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
        print("FAILED:", what, flush=True)


def walk(acc):
    yield acc
    for i in range(acc.childCount):
        child = acc.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


# The roles of levels that only hold others; a list's own drop-down is the
# toolkit's part of the list and not walked.
CONTAINERS = (pyatspi.ROLE_FRAME, pyatspi.ROLE_FILLER, pyatspi.ROLE_PANEL)


def nameless_levels(acc, way=""):
    here = way + "/" + acc.getRoleName()
    found = [here] if acc.childCount > 0 and not acc.name else []
    if acc.getRole() in CONTAINERS:
        for i in range(acc.childCount):
            child = acc.getChildAtIndex(i)
            if child is not None:
                found += nameless_levels(child, here)
    return found


def labels(acc):
    return [rel.getTarget(i).name for rel in acc.getRelationSet()
            if rel.getRelationType() == pyatspi.RELATION_LABELLED_BY
            for i in range(rel.getNTargets())]


def find_app():
    desktop = pyatspi.Registry.getDesktop(0)
    for _ in range(100):
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name == "comtest" and app.childCount > 0:
                return app
        time.sleep(0.1)
    return None


def main():
    program = sys.argv[1]
    runtime = tempfile.mkdtemp(prefix="comtest-atspi-")
    env = dict(os.environ, XDG_RUNTIME_DIR=runtime)
    socket = "comtest-atspi"
    compositor = subprocess.Popen(
        ["weston", "--backend=headless-backend.so", "--socket=" + socket, "--idle-time=0"],
        env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    for _ in range(50):
        if os.path.exists(os.path.join(runtime, socket)):
            break
        time.sleep(0.1)
    else:
        compositor.kill()
        print("SKIPPED: the headless Wayland compositor (weston) did not start")
        return SKIP
    master, slave = os.openpty()
    env.update(WAYLAND_DISPLAY=socket, QT_QPA_PLATFORM="wayland",
               QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", LC_ALL="C.UTF-8")
    env.pop("DISPLAY", None)
    line = os.ttyname(slave)
    # comtest refuses a line another process has open: only the far end stays.
    os.close(slave)
    window = subprocess.Popen([program, "--port", "Com1=" + line], env=env)
    try:
        app = find_app()
        if app is None:
            print("SKIPPED: comtest did not appear on the accessibility bus")
            return SKIP
        check_window(app, master)
    finally:
        window.terminate()
        window.wait(10)
        compositor.terminate()
        compositor.wait(10)
    return 1 if failures else 0


def check_window(app, master):
    top = app.getChildAtIndex(0)
    check(top.getRole() == pyatspi.ROLE_FRAME, "the top level is a frame, not " + top.getRoleName())
    check(top.name == "Тест COM-порта", "the frame is named by the caption, not %r" % top.name)
    nameless = nameless_levels(top)
    check(not nameless, "no nameless level between the frame and the controls: %r" % nameless)
    controls = [top.getChildAtIndex(i) for i in range(top.childCount)]
    roles = sorted({c.getRoleName() for c in controls if c is not None})
    check({"push button", "radio button", "combo box", "text", "label"} <= set(roles),
          "the controls are right below the frame: %r" % roles)
    for control in controls:
        up = control.parent
        check(up is not None and up.getRole() == pyatspi.ROLE_FRAME and up.name == top.name
              and up.parent is not None and up.parent.getRole() == pyatspi.ROLE_APPLICATION,
              "going up from %r reaches the frame named by the caption" % control.name)
    everything = list(walk(top))
    by_role = {}
    for acc in everything:
        by_role.setdefault(acc.getRole(), []).append(acc)
    buttons = [b.name for b in by_role.get(pyatspi.ROLE_PUSH_BUTTON, [])]
    check(buttons == ["Начать тест", "Конец теста", "Выход"], "push buttons %r" % buttons)
    radios = {r.name: labels(r) for r in by_role.get(pyatspi.ROLE_RADIO_BUTTON, [])}
    check(radios == {"7": ["Data bits"], "8": ["Data bits"], "1": ["Stop bits"],
                     "2": ["Stop bits"]}, "radio buttons and their groups %r" % radios)
    check(not by_role.get(pyatspi.ROLE_CHECK_BOX), "no check boxes")
    combos = [labels(c) for c in by_role.get(pyatspi.ROLE_COMBO_BOX, [])]
    check(combos == [["Port name"], ["Baud rate"], ["Parity"]], "lists' labels %r" % combos)
    panes = [t for t in by_role.get(pyatspi.ROLE_TEXT, []) if t.name == "Received data"]
    check(len(panes) == 1, "one text named 'Received data'")
    if not panes or not buttons:
        return
    pane = panes[0]

    heard = []

    def hear(event):
        if event.source == pane:
            heard.append((event.type, event.any_data, event.detail1))

    pyatspi.Registry.registerEventListener(hear, "object:text-changed:insert",
                                           "object:text-caret-moved")
    start = by_role[pyatspi.ROLE_PUSH_BUTTON][0]
    action = start.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    check("Press" in names, "the start button can be pressed: %r" % names)
    if "Press" in names:
        action.doAction(names.index("Press"))

    def send():
        os.write(master, b"hi\r\n")
        return False

    GLib.timeout_add(1000, send)
    GLib.timeout_add(3000, pyatspi.Registry.stop)
    pyatspi.Registry.start()
    text = pane.queryText()
    shown = text.getText(0, -1)
    check(shown == "hi[13][10]", "the pane's text is what arrived: %r" % shown)
    check(text.caretOffset == len(shown), "the caret after it: %d" % text.caretOffset)
    inserted = "".join(str(data) for kind, data, _ in heard if kind.endswith("insert"))
    check(inserted == "hi[13][10]", "text-inserted events told what arrived: %r" % heard)
    check(any(kind == "object:text-caret-moved" for kind, _, _ in heard),
          "a caret-moved event was told: %r" % heard)


if __name__ == "__main__":
    sys.exit(main())
