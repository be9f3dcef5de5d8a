#!/usr/bin/env python3
"""TAVO through the real accessibility stack, as a screen reader meets it.

Runs under its own X server (Xvfb) and its own session bus (the caller runs
it inside dbus-run-session), with the accessibility bus started by
at-spi-bus-launcher. It starts TAVO with accessibility on and, over AT-SPI:

- lists every control a person can operate on each tab of the main window
  and on each window and dialog it opens, and requires a spoken name for each,
  different from every other in the same window;
- checks that the results on the Test Results tab can be read;
- sets the Subject through EditableText.setTextContents (the way screen
  readers, dictation and voice control type), saves with File > Save and
  checks that the saved file holds the new Subject;
- ends the program with File > Exit, which must not ask to save again.

Exit status: 0 passed, 1 failed, 77 skipped (with the reason on stdout).
"""

import argparse
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

try:
    import pyatspi
except ImportError:
    print("SKIP: python3-pyatspi is not installed")
    sys.exit(77)

OPERABLE = {
    pyatspi.ROLE_PUSH_BUTTON,
    pyatspi.ROLE_TOGGLE_BUTTON,
    pyatspi.ROLE_CHECK_BOX,
    pyatspi.ROLE_RADIO_BUTTON,
    pyatspi.ROLE_TEXT,
    pyatspi.ROLE_ENTRY,
    pyatspi.ROLE_PASSWORD_TEXT,
    pyatspi.ROLE_COMBO_BOX,
    pyatspi.ROLE_SPIN_BUTTON,
    pyatspi.ROLE_SLIDER,
    pyatspi.ROLE_PAGE_TAB,
    pyatspi.ROLE_MENU,
    pyatspi.ROLE_MENU_ITEM,
    pyatspi.ROLE_CHECK_MENU_ITEM,
    pyatspi.ROLE_RADIO_MENU_ITEM,
    pyatspi.ROLE_LINK,
}

failures = []

# Not the sample's own Subject, so that setting it is a change.
NEW_SUBJECT = "Bea Dee"


def fail(text):
    failures.append(text)
    print("FAIL: " + text, flush=True)


def wait_for(what, find, limit_s=60.0):
    """Polls the bus until find() gives something; the limit only guards
    against a program that never answers."""
    deadline = time.monotonic() + limit_s
    while time.monotonic() < deadline:
        try:
            found = find()
        except Exception:  # the tree changes under us while windows come and go
            found = None
        if found:
            return found
        time.sleep(0.05)
    raise RuntimeError("timed out waiting for " + what)


def showing(node):
    try:
        return node.getState().contains(pyatspi.STATE_SHOWING)
    except Exception:
        return False


def walk(node, depth=0):
    if depth > 40:
        return
    try:
        count = node.childCount
    except Exception:
        return
    for i in range(count):
        try:
            child = node.getChildAtIndex(i)
        except Exception:
            continue
        if child is None:
            continue
        yield child
        yield from walk(child, depth + 1)


def find_app(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        try:
            if app is not None and app.get_process_id() == pid:
                return app
        except Exception:
            pass
    return None


def top_window(app, name):
    for i in range(app.childCount):
        window = app.getChildAtIndex(i)
        if window is not None and window.name == name and showing(window):
            return window
    return None


def named(window, role, name):
    for node in walk(window):
        if node.getRole() == role and node.name == name:
            return node
    return None


def press(node):
    action = node.queryAction()
    for i in range(action.nActions):
        if action.getName(i).lower() in ("press", "click", "activate", "toggle"):
            action.doAction(i)
            return
    action.doAction(0)


def check_controls(where, window):
    """Every showing control a person can operate has a name of its own."""
    names = {}
    count = 0
    for node in walk(window):
        if node.getRole() not in OPERABLE or not showing(node):
            continue
        # The items of a closed menu are not in front of anyone.
        parent = node.parent
        if parent is not None and parent.getRole() == pyatspi.ROLE_MENU and not showing(parent):
            continue
        count += 1
        name = (node.name or "").strip()
        if not name:
            fail("%s: a %s has no spoken name" % (where, node.getRoleName()))
            continue
        names.setdefault((name, node.getRole()), 0)
        names[(name, node.getRole())] += 1
    for (name, role), times in names.items():
        if times > 1:
            fail('%s: %d controls are all spoken as "%s"' % (where, times, name))
    print("%s: %d controls, each with a name of its own" % (where, count), flush=True)
    if count == 0:
        fail(where + ": no control found")


def menu_item(main, menu_name, item_name):
    menu = named(main, pyatspi.ROLE_MENU_ITEM, menu_name) or named(main, pyatspi.ROLE_MENU,
                                                                   menu_name)
    if menu is None:
        raise RuntimeError("no menu " + menu_name)
    for node in walk(menu):
        if node.getRole() == pyatspi.ROLE_MENU_ITEM and node.name == item_name:
            return node
    raise RuntimeError("no menu item %s > %s" % (menu_name, item_name))


def visit_window(app, main, where, open_it, title, close_button):
    open_it()
    window = wait_for(title, lambda: top_window(app, title))
    check_controls(where, window)
    if close_button:
        press(wait_for(close_button, lambda: named(window, pyatspi.ROLE_PUSH_BUTTON, close_button)))
        wait_for(title + " closed", lambda: top_window(app, title) is None)


def children_of(pid):
    children = []
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open("/proc/%s/stat" % entry) as f:
                fields = f.read().rsplit(")", 1)[1].split()
        except OSError:
            continue
        if int(fields[1]) == pid:
            children.append(int(entry))
    return children


def run(args):
    workdir = tempfile.mkdtemp(prefix="tavo-atspi-")
    processes = []
    try:
        read_fd, write_fd = os.pipe()
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1280x1024x24", "-nolisten",
             "tcp"],
            pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        processes.append(xvfb)
        os.close(write_fd)
        display = b""
        while not display.endswith(b"\n"):
            chunk = os.read(read_fd, 16)
            if not chunk:
                raise RuntimeError("Xvfb did not start")
            display += chunk
        os.close(read_fd)
        env = dict(os.environ)
        env["DISPLAY"] = ":" + display.decode().strip()
        # The accessibility bus's socket goes in a folder of this run's own,
        # never shared with another run or left behind.
        runtime = os.path.join(workdir, "runtime")
        os.mkdir(runtime, 0o700)
        env["XDG_RUNTIME_DIR"] = runtime
        launcher = subprocess.Popen([args.launcher, "--launch-immediately"], env=env,
                                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        processes.append(launcher)

        # The accessibility bus and its registry answer before TAVO starts, so
        # that TAVO finds them when it looks for them.
        wait_for("the accessibility registry",
                 lambda: pyatspi.Registry.getDesktop(0).childCount >= 0 or True)

        visit = os.path.join(workdir, "visit.tavo")
        shutil.copyfile(args.data, visit)
        # Its own folder for the recovery journal: nothing left by another run
        # is offered at the start, and nothing of this run stays behind.
        env["TAVO_STATE_DIR"] = os.path.join(workdir, "state")
        env.update({"QT_QPA_PLATFORM": "xcb", "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
                    "QT_ACCESSIBILITY": "1", "LC_ALL": "C.UTF-8"})
        tavo = subprocess.Popen([args.tavo, visit], env=env)
        processes.append(tavo)

        app = wait_for("TAVO on the accessibility bus", lambda: find_app(tavo.pid))
        main = wait_for("the main window", lambda: top_window(app, "TAVO - Marlowen"))

        tabs = [node for node in walk(main) if node.getRole() == pyatspi.ROLE_PAGE_TAB]
        if len(tabs) != 3:
            fail("the main window has %d tabs, not 3" % len(tabs))
        for tab in tabs:
            # An action is answered once the program has carried it out.
            press(tab)
            check_controls("main window, tab " + tab.name.strip(), main)
            if tab.name.strip() == "Test Results":
                labels = [node.name for node in walk(main)
                          if node.getRole() == pyatspi.ROLE_LABEL and showing(node)]
                if not any(label.startswith("Average") for label in labels):
                    fail("the Test Results tab has no readable average: %s" % labels)

        visit_window(app, main, "About", lambda: press(menu_item(main, "Help", "About")), "About TAVO",
                     "OK")
        visit_window(app, main, "Switch Sends",
                     lambda: press(menu_item(main, "Options", "Switch Sends...")),
                     "Switch Sends", "Cancel")

        # Typing through the accessibility interface reaches the assessment.
        subject = wait_for("the Subject field", lambda: named(main, pyatspi.ROLE_TEXT, "Subject Name"))
        press(tabs[0])
        subject.queryEditableText().setTextContents(NEW_SUBJECT)
        text = subject.queryText()
        if text.getText(0, -1) != NEW_SUBJECT:
            fail("the Subject field shows %r" % text.getText(0, -1))

        # With a change unsaved, New asks first; the prompt's buttons are named.
        press(menu_item(main, "File", "New TAVO File"))
        prompt = wait_for("the save prompt (a Subject set through the accessibility "
                          "interface that New does not ask about was not kept)", lambda: next(
            (w for w in (app.getChildAtIndex(i) for i in range(app.childCount))
             if w is not None and w.getRole() == pyatspi.ROLE_DIALOG and showing(w)
             and named(w, pyatspi.ROLE_PUSH_BUTTON, "Yes")), None), 20.0)
        check_controls("save prompt", prompt)
        press(named(prompt, pyatspi.ROLE_PUSH_BUTTON, "Cancel"))

        press(menu_item(main, "File", "Save"))
        def saved_subject():
            with open(visit, "rb") as f:
                first = f.readline()
            return first if first.startswith(b"Subject: \t" + NEW_SUBJECT.encode()) else None
        try:
            wait_for("the saved Subject", saved_subject, 20.0)
        except RuntimeError:
            with open(visit, "rb") as f:
                fail("File > Save wrote %r, not the Subject set through the accessibility "
                     "interface" % f.readline())

        # The test windows: their controls are named too.
        press(tabs[1])
        press(wait_for("Start Activation Test", lambda: named(
            main, pyatspi.ROLE_PUSH_BUTTON, "Start Activation Test")))
        test_window = wait_for("the Activation Test window",
                               lambda: top_window(app, "Activation Test"))
        check_controls("Activation Test window", test_window)

        # Saved: Exit ends the program without asking.
        press(menu_item(main, "File", "Exit"))
        try:
            code = tavo.wait(timeout=30)
        except subprocess.TimeoutExpired:
            fail("File > Exit after saving did not end the program (it asked to save again?)")
        else:
            if code != 0:
                fail("TAVO ended with status %d" % code)
    finally:
        # The launcher's own bus daemon outlives it unless ended with it.
        for process in processes:
            for child in children_of(process.pid):
                try:
                    os.kill(child, signal.SIGTERM)
                except OSError:
                    pass
        for process in reversed(processes):
            if process.poll() is None:
                process.send_signal(signal.SIGTERM)
                try:
                    process.wait(timeout=10)
                except subprocess.TimeoutExpired:
                    process.kill()
        shutil.rmtree(workdir, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--tavo", required=True)
    parser.add_argument("--launcher", required=True)
    parser.add_argument("--data", required=True)
    args = parser.parse_args()
    try:
        run(args)
    except RuntimeError as error:
        fail(str(error))
    if failures:
        print("%d failures" % len(failures))
        return 1
    print("PASS")
    return 0


if __name__ == "__main__":
    sys.exit(main())
