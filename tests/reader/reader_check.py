"""The wizard as a screen reader meets it through AT-SPI, reached from Start by the keyboard:
the main page, the search page with the demo cameras, a message box, the IP page and the
focus back on its field after its message box.
Run by run_reader_check.sh. Usage: reader_check.py CAMTIVO_PROGRAM WORK_FOLDER"""
import subprocess
import sys
import time

import pyatspi

CONTROLS = ("push button", "text", "password text", "combo box", "radio button", "tree")


def wait_for(what, probe, seconds=40):
    end = time.time() + seconds
    while time.time() < end:
        try:
            found = probe()
        except Exception:  # the tree changes while it is read: ask again
            found = None
        if found:
            return found
        time.sleep(0.2)
    raise AssertionError(f"never seen: {what}")


def check(condition, message):
    if not condition:
        raise AssertionError(message)


def below(node):
    for child in node:
        if child is not None:
            yield child
            yield from below(child)


def find(node, role, name=None):
    return next((n for n in below(node) if n.getRoleName() == role and name in (None, n.name)), None)


def page(app, title):
    return wait_for(f"the page {title}", lambda: next(p for w in app for p in w
                                                      if p.getRoleName() == "dialog" and p.name == title))


def is_focused(node):
    node.clear_cache()  # states are cached from events; the focus is asked of the wizard itself
    return node.getState().contains(pyatspi.STATE_FOCUSED)


def focused(app):
    return wait_for("the focus", lambda: next(n for n in below(app) if is_focused(n)))


def point_at(window):
    # Without a window manager the keyboard goes to the window under the pointer.
    box = window.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    pyatspi.Registry.generateMouseEvent(box.x + box.width // 2, box.y + box.height // 2, "abs")


def press_return(over, key=0xFF0D):
    point_at(over)
    pyatspi.Registry.generateKeyboardEvent(key, None, pyatspi.KEY_SYM)


def all_named(where):
    unnamed = [n.getRoleName() for n in below(where) if n.getRoleName() in CONTROLS and not n.name]
    check(not unnamed, f"{where.name}: controls without a name: {unnamed}")


def main_page(app):
    main = page(app, "Camtivo")
    frame = next(w for w in app if w.name == "Camtivo" and w.getState().contains(pyatspi.STATE_SHOWING))
    check(len(list(frame)) == 1, "hidden pages are in the tree")
    check("finds the cameras" in main.description, f"description {main.description!r}")
    check(find(main, "push button", "Close") and find(main, "label", "Welcome"), "Close or Welcome missing")
    all_named(main)
    point_at(main)
    check(focused(main).name == "Start", "the focus is not on Start")
    press_return(main)


def search_page(app):
    search = page(app, "Find your camera")
    tree = find(search, "tree", "Cameras on this network")

    def rows():
        # Each row reads as the camera's name and its address.
        return [n.name.split(", ")[0] for n in below(tree) if n.getRoleName() in ("tree item", "table cell")]

    # The list is read while the search still runs, then its end is said.
    wait_for("cameras listed while searching",
             lambda: find(search, "status bar").name.startswith("Searching for cameras...") and rows(), 60)
    status = wait_for("the result", lambda: find(search, "status bar").name.endswith(" cameras found"), 60)
    cameras = rows()
    check("Warehouse" in cameras and status, f"cameras listed: {cameras}")
    check(find(search, "status bar").name == f"{len(cameras)} cameras found", "the result is not said")
    check(any(n.name.startswith("Name: ") and n.name[6:] in cameras for n in below(search)),
          "the details are not labelled values")
    steps = [n.name for n in find(search, "list", "Steps") if n.getState().contains(pyatspi.STATE_SELECTED)]
    check(steps == ["Search"], f"current step {steps}")
    all_named(search)
    check(max(cameras) == "Warehouse", f"cameras listed: {cameras}")
    tree.queryComponent().grabFocus()
    press_return(search, 0xFF57)  # End: the last camera by name
    press_return(search)
    login = wait_for("the login dialog", lambda: next(w for w in app if find(w, "text", "User name")))
    find(login, "text", "User name").queryEditableText().setTextContents("operator")
    (find(login, "password text", "Password") or find(login, "text", "Password")).queryEditableText() \
        .setTextContents("lens42")
    find(login, "push button", "OK").queryAction().doAction(0)


def message_box(app):
    basic = page(app, "Basic settings")
    # Drop-down lists are named by what they hold, not by their current entry.
    combos = [n.name for n in below(basic) if n.getRoleName() == "combo box"]
    for label in ("Time zone", "Time, AM or PM"):
        check(label in combos, f"no drop-down named {label!r}: {combos}")
    name = find(basic, "text", "Camera name")
    name.queryEditableText().setTextContents("-bad")
    name.queryComponent().grabFocus()
    press_return(basic)
    box = wait_for("the message box", lambda: next(w for w in app if w.getRoleName() == "alert"))
    point_at(box)
    check(box.name == "Error" and find(box, "label", box.description), f"box {box.name}: {box.description}")
    check(focused(box).name == "OK", "the focus is not on the box's button")
    press_return(box)
    name.queryEditableText().setTextContents("Warehouse-2")
    press_return(basic)


def ip_page(app):
    network = page(app, "Network")
    fixed = find(network, "radio button", "Use a fixed IP address")
    check(fixed.description, "the fixed address choice is not described")
    fixed.queryAction().doAction(0)
    press_return(network)
    ip = page(app, "IP settings")
    for part in range(1, 5):
        check(find(ip, "text", f"IP address, part {part} of 4"), f"no part {part} of the IP address")
    check("0 to 255" in ip.description, f"description {ip.description!r}")
    all_named(ip)
    first = find(ip, "text", "IP address, part 1 of 4")
    first.queryEditableText().setTextContents("300")
    first.queryComponent().grabFocus()
    press_return(ip)
    box = wait_for("the range message", lambda: next(w for w in app if w.getRoleName() == "alert"))
    check("0 to 255" in box.description, f"box {box.name}: {box.description}")
    press_return(box)
    wait_for("the box closing", lambda: not any(w.getRoleName() == "alert" for w in app))
    back = focused(ip)
    check(back.name == "IP address, part 1 of 4", f"the focus after the box is on {back.name!r}")


def main():
    wizard = subprocess.Popen([sys.argv[1], "/testmode"], cwd=sys.argv[2])
    try:
        desktop = pyatspi.Registry.getDesktop(0)
        app = wait_for("the wizard", lambda: next(a for a in desktop if a.get_process_id() == wizard.pid))
        for step in (main_page, search_page, message_box, ip_page):
            step(app)
            print(f"ok: {step.__name__}", flush=True)
    finally:
        wizard.kill()
        wizard.wait()


if __name__ == "__main__":
    main()
