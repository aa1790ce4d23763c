"""Tavrel as a screen reader finds it: the real program on Xvfb with openbox and the AT-SPI bus,
its tree read with pyatspi. Walks the views and both panels as a screen-reader user would (actions,
focus, the keyboard) and checks, at each step, what is showing, named, focused and selected.
Run inside a D-Bus session: dbus-run-session -- python3 tree_test.py TAVREL"""
import os, subprocess, sys, tempfile, time

import pyatspi

failures = []


def check(ok, what):
    if not ok:
        failures.append(what)


def wait_for(condition, seconds=10):
    end = time.time() + seconds
    while time.time() < end:
        value = condition()
        if value:
            return value
        time.sleep(0.1)
    return condition()


def states(node):
    return {pyatspi.stateToString(s) for s in node.getState().getStates()}


def actions(node):
    try:
        a = node.queryAction()
    except NotImplementedError:
        return []
    return [a.getName(i) for i in range(a.nActions)]


def nodes(root, shown_above=True):
    """Every node below root with whether all its ancestors are showing."""
    for i in range(root.childCount):
        child = root.getChildAtIndex(i)
        yield child, shown_above
        yield from nodes(child, shown_above and "showing" in states(child))


def start(program, cwd):
    display = subprocess.Popen(["Xvfb", "-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
                               stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    os.environ["DISPLAY"] = ":" + display.stdout.readline().decode().strip()
    helpers = [display, subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                                         stderr=subprocess.DEVNULL)]
    # The window gets the keyboard only once openbox manages the screen (it answers for the current
    # desktop then); on a loaded machine its first start may miss the new display, so it gets another.
    for _ in range(3):
        wm = subprocess.Popen(["openbox", "--sm-disable"], stderr=subprocess.DEVNULL)
        managed = wait_for(lambda: wm.poll() is not None or subprocess.run(
            ["xdotool", "get_desktop"], capture_output=True).returncode == 0)
        if wm.poll() is None and managed:
            break
    helpers.append(wm)
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    helpers.append(subprocess.Popen([program], cwd=cwd, env=env))
    return helpers


def app():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        a = desktop.getChildAtIndex(i)
        if a is not None and a.name == "Tavrel" and a.childCount:
            return a
    return None


def find(root, role, name):
    for node, _ in nodes(root):
        if node.getRoleName() == role and node.name == name and "showing" in states(node):
            return node
    return None


def press(root, role, name, action="Press"):
    node = wait_for(lambda: find(root, role, name))
    check(node is not None, f"{role} {name!r} is showing to be pressed")
    if node is not None:
        a = node.queryAction()
        a.doAction(actions(node).index(action))
        time.sleep(0.3)


def focus(root, role, name):
    """Keys go where the focus is, so a step that types waits until the focus has arrived."""
    node = wait_for(lambda: find(root, role, name))
    if node is not None:
        node.queryComponent().grabFocus()
        check(wait_for(lambda: "focused" in states(node)), f"{role} {name!r} takes the focus")


def key(*keys):
    subprocess.run(["xdotool", "key", "--clearmodifiers", *keys], check=True)
    time.sleep(0.4)


TITLE = [("push button", "Window menu"), ("push button", "Minimize Tavrel"), ("push button", "Exit Tavrel")]
TABS = [("push button", "ROMs"), ("push button", "Settings"), ("push button", "About Tavrel")]
BROWSER = [("combo box", "Drives"), ("list", "Directories"), ("list", "ROM archives"), ("text", "Game Name:"),
           ("push button", "Save this Game's Name"), ("push button", "Launch NeoRAGE")]
SETTINGS = [("radio button", n) for n in ("None", "Normal", "25% Thinner", "50% Thinner", "Double Pixels", "No Skip",
                                          "One Frame", "Two Frames", "Three Frames", "Four Frames", "Default",
                                          "VGA", "Mode X")] \
    + [("check box", n) for n in ("VSync", "Force Joystick", "Skip Analyse", "Use Pictures")] \
    + [("text", ".EXE Name:"), ("push button", "Save Settings to INI")]
ABOUT = [("push button", "Close About Tavrel"), ("link", "https://tavrel.org/")]
PICTURES = [("combo box", "Drives"), ("list", "Directories"), ("list", "Picture files"), ("push button", "Store"),
            ("push button", "Remove Pictures"), ("push button", "Finished Selecting")] \
    + [("list item", f"Picture slot {n}") for n in range(1, 6)]


def snapshot(*args, **kwargs):
    """Looks again for a while: a loaded machine (or a sanitizer build) lets the program lag behind."""
    end = time.time() + 15
    while True:
        before = len(failures)
        look(*args, **kwargs)
        if len(failures) == before or time.time() > end:
            return
        del failures[before:]
        time.sleep(0.2)


def look(step, expected, focused, panel=None, selected_slot=None):
    """What a user can reach is exactly the expected controls, each named; nothing else shows."""
    root = app()
    frames = [root.getChildAtIndex(i) for i in range(root.childCount)]
    check([(f.getRoleName(), f.name) for f in frames] == [("frame", "Tavrel")],
          f"{step}: one top-level window, a frame named Tavrel, not {[(f.getRoleName(), f.name) for f in frames]}")
    reachable = []
    for node, shown_above in nodes(root):
        s = states(node)
        role = node.getRoleName()
        check(not ("showing" in s and not shown_above), f"{step}: {role} {node.name!r} shows inside a hidden parent")
        check(not (role == "label" and node.name == "Drives"), f"{step}: a stray label 'Drives'")
        parent = node.parent.getRoleName() if node.parent else ""
        if "showing" in s and shown_above and parent not in ("list", "combo box") \
                and ("focusable" in s or actions(node)):
            reachable.append((role, node.name))
            check(node.name.strip() != "", f"{step}: a nameless {role}")
        if role == "combo box" and "showing" in s:
            chosen = [item.name for item, _ in nodes(node) if "selected" in states(item)]
            check(chosen == ["/"], f"{step}: the drive box's chosen drive is /, not {chosen}")
        if selected_slot and role == "list item" and node.name.startswith("Picture slot"):
            check(("selected" in s) == (node.name == f"Picture slot {selected_slot}") and "selectable" in s,
                  f"{step}: {node.name} selected state {sorted(s)}")
        if focused and (role, node.name) == focused and "showing" in s:
            check("focused" in s, f"{step}: {role} {node.name!r} has the focus")
    check(sorted(reachable) == sorted(expected), f"{step}: reachable controls\n  got      {sorted(reachable)}\n"
                                                 f"  expected {sorted(expected)}")
    if panel:
        check(find(root, "panel", panel) is not None, f"{step}: the panel is a showing group named {panel!r}")


def main():
    work = tempfile.mkdtemp()
    open(os.path.join(work, "game.zip"), "wb").write(b"PK")
    helpers = start(sys.argv[1], work)
    try:
        root = wait_for(app, 20)
        check(root is not None, "Tavrel appears on the AT-SPI bus")
        if root is None:
            return
        time.sleep(1)
        snapshot("browser view", TITLE + TABS + BROWSER, None)
        press(root, "push button", "Settings")
        snapshot("settings view", TITLE + TABS + SETTINGS, None)
        press(root, "check box", "Use Pictures", "Toggle")
        focus(root, "push button", "About Tavrel")
        press(root, "push button", "About Tavrel")
        snapshot("about panel", TITLE + ABOUT, ("push button", "Close About Tavrel"), "About Tavrel")
        press(root, "push button", "Close About Tavrel")
        snapshot("about panel closed", TITLE + TABS + SETTINGS, ("push button", "About Tavrel"))
        press(root, "push button", "ROMs")
        image = ("push button", "Game's Image - Click to Change")
        snapshot("browser view with pictures", TITLE + TABS[:2] + BROWSER + [image], None)
        # The picture menu from the keyboard, its last item "Select Pictures".
        focus(root, *image)
        key("shift+F10", "Up", "Return")
        snapshot("picture panel", TITLE + PICTURES, ("combo box", "Drives"), "Select Pictures", 1)
        press(root, "list item", "Picture slot 3")
        snapshot("slot 3 chosen", TITLE + PICTURES, None, "Select Pictures", 3)
        press(root, "push button", "Finished Selecting")
        snapshot("picture panel closed", TITLE + TABS[:2] + BROWSER + [image], image)
    finally:
        for p in reversed(helpers):
            p.terminate()
            p.wait()
    for failure in failures:
        print("FAIL:", failure)
    print(f"{len(failures)} failures" if failures else "all checks passed")
    sys.exit(1 if failures else 0)


main()
