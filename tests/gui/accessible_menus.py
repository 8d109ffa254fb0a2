#!/usr/bin/python3
"""Reads the editor's menus over AT-SPI, as a screen reader does: every menu of the bar, Help
included, must be there with its items, and every control must have a name. Exits 1 on a fault.

Usage: accessible_menus.py TESSERA_EXECUTABLE (run under X with a D-Bus session)."""
import os
import subprocess
import sys
import time

import pyatspi

EXPECTED_MENUS = ["File", "Run", "Edit", "Insert", "MoveCursor", "Color", "MoveEye", "View", "Tool", "Help"]
HELP_ITEMS = ["Index", "Using Help", "Gallery...", "About 3D-Tessera..."]
# Roles a user operates: each of them needs a name a screen reader can say.
CONTROL_ROLES = {
    pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON, pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_RADIO_BUTTON,
    pyatspi.ROLE_MENU, pyatspi.ROLE_MENU_ITEM, pyatspi.ROLE_CHECK_MENU_ITEM, pyatspi.ROLE_RADIO_MENU_ITEM,
    pyatspi.ROLE_SPIN_BUTTON, pyatspi.ROLE_TEXT, pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_SLIDER,
}


def find_application(names, timeout):
    end = time.time() + timeout
    while time.time() < end:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name in names:
                return app
        time.sleep(0.25)
    return None


def walk(node, depth=0):
    yield node, depth
    if depth > 30:
        return
    for child in node:
        if child is not None:
            yield from walk(child, depth + 1)


def clean(text):
    """The item's words: no mnemonic mark, no key text after a tab."""
    return text.split("\t")[0].replace("&", "")


def is_menu(node):
    # A menu of the bar is a menu item (or menu) whose child is the popup menu.
    return node.getRole() in (pyatspi.ROLE_MENU, pyatspi.ROLE_MENU_ITEM) and any(
        c is not None and c.getRole() in (pyatspi.ROLE_POPUP_MENU, pyatspi.ROLE_MENU) for c in node)


def items_of(menu):
    for popup in menu:
        if popup is not None:
            for item in popup:
                if item is not None and item.getRole() != pyatspi.ROLE_SEPARATOR:
                    yield item


def visible(node):
    return node.getState().contains(pyatspi.STATE_VISIBLE)


def check_view_panes_and_buttons(app):
    """The 3D view is a named canvas, the cursor pane says the coordinates, and no two toolbar
    buttons share a name (the cursor's and the eye's Up, Down, Left and Right)."""
    faults = []
    nodes = [n for n, _ in walk(app)]
    if not any(n.getRole() == pyatspi.ROLE_CANVAS and n.name == "Space view" for n in nodes):
        faults.append("no canvas named 'Space view'")
    if not any(n.name.startswith("Cursor position: x ") for n in nodes):
        faults.append("no pane saying the cursor's coordinates")
    for bar in (n for n in nodes if n.getRole() == pyatspi.ROLE_TOOL_BAR):
        names = [c.name for c in bar if c is not None and visible(c) and
                 c.getRole() in (pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON)]
        twice = sorted({n for n in names if names.count(n) > 1})
        if twice:
            faults.append("toolbar buttons share the names %s" % twice)
        print("toolbar:", names)
    return faults


def status_bar_name(app):
    for node, _ in walk(app):
        if node.getRole() == pyatspi.ROLE_STATUS_BAR:
            return node.name
    return None


def status_pane_names(app):
    """The names in the status bar: the bar's own and its panes'."""
    for node, _ in walk(app):
        if node.getRole() == pyatspi.ROLE_STATUS_BAR:
            return [n.name for n, _ in walk(node)]
    return []


def wait_for_status(app, text, timeout=10):
    """The bar is named `text`, and no pane still says another message (the idle prompt)."""
    others = {"For Help, press F1", "Create new space"} - {text}
    end = time.time() + timeout
    while time.time() < end:
        if status_bar_name(app) == text and not others & set(status_pane_names(app)):
            return True
        time.sleep(0.1)
    return False


def check_status_message_follows(app):
    """Opening the File menu from the keyboard shows New's prompt in the message pane; closing it
    brings the idle prompt back. The pane's accessible name follows both."""
    faults = []
    if not wait_for_status(app, "For Help, press F1"):
        faults.append("idle status bar is named %r" % status_bar_name(app))
    window = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "3D-Tessera"], capture_output=True, text=True).stdout.split()
    if not window:
        return faults + ["no window to type into"]
    subprocess.run(["xdotool", "windowfocus", "--sync", window[-1]])
    subprocess.run(["xdotool", "key", "alt+f"])
    if not wait_for_status(app, "Create new space"):
        faults.append("with File open the status bar says %r" % status_pane_names(app))
    subprocess.run(["xdotool", "key", "Escape", "Escape"])
    if not wait_for_status(app, "For Help, press F1"):
        faults.append("after the menu the status bar is named %r" % status_bar_name(app))
    return faults


def main():
    faults = []
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    editor = subprocess.Popen([sys.argv[1]], env=env)
    try:
        app = find_application(("3D-Tessera", "tessera"), 30)
        if app is None:
            print("the editor did not appear on the accessibility bus")
            return 1
        bar = None
        end = time.time() + 20
        while bar is None and time.time() < end:
            for node, _ in walk(app):
                if node.getRole() == pyatspi.ROLE_MENU_BAR:
                    bar = node
                    break
            time.sleep(0.25)
        if bar is None:
            print("no menu bar")
            return 1
        menus = [clean(m.name) for m in bar if m is not None and is_menu(m)]
        print("menus:", menus)
        if menus != EXPECTED_MENUS:
            faults.append("menus %s, expected %s" % (menus, EXPECTED_MENUS))
        for menu in bar:
            if menu is not None and is_menu(menu) and clean(menu.name) == "Help":
                items = [clean(i.name) for i in items_of(menu)]
                print("Help:", items)
                if items != HELP_ITEMS:
                    faults.append("Help items %s, expected %s" % (items, HELP_ITEMS))
        faults += check_view_panes_and_buttons(app)
        faults += check_status_message_follows(app)
        for node, depth in walk(app):
            if node.getRole() in CONTROL_ROLES and visible(node) and not node.name.strip():
                parent = node.parent
                faults.append("a %s without a name (in %s %r)" % (
                    node.getRoleName(), parent.getRoleName() if parent else "?", parent.name if parent else ""))
    finally:
        editor.kill()
        editor.wait()
    for f in faults:
        print("FAULT:", f)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
