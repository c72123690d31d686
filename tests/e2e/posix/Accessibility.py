# SPDX-License-Identifier: MIT
"""Drives the real program over the accessibility bus as a screen reader user
would: reads the status panels, chooses two files and the diff program in the
file dialogs, answers the long-name question, reads "READY" and compares,
then cancels a long copy to the short names from its progress dialog; then,
as a file manager would, chooses File 1 in one folder and compares a file of
another folder with it, answering the questions without a window.
Run on a display with a session bus: Accessibility.py PROGRAM CAPTIONS, where
CAPTIONS prints the captions the window's description gives."""
import os
import re
import signal
import subprocess
import sys
import tempfile
import time

import gi

gi.require_version("Atspi", "2.0")
import pyatspi  # noqa: E402
from gi.repository import Atspi, GLib  # noqa: E402

STEP_SECONDS = 10
# What the copy progress dialog says (CopyProgressLayout()).
COPY_TEXT = "Copying the files to short temporary names\u2026"
# A call the program does not answer promptly, as when an action waits for
# the modal dialog it opened, fails the test instead of hanging it.
Atspi.set_timeout(5000, 5000)  # milliseconds, also while it starts


def fail(message):
    raise SystemExit("FAIL: " + message)


def wait_for(what, probe):
    deadline = time.monotonic() + STEP_SECONDS
    while time.monotonic() < deadline:
        while GLib.MainContext.default().iteration(False):
            pass  # delivers the events listened for
        try:
            found = probe()
        except (GLib.Error, LookupError):
            found = None  # a window that went away while being read
        if found:
            return found
        time.sleep(0.05)
    fail("no %s within %d s" % (what, STEP_SECONDS))


def walk(node):
    """The node and everything below it, breadth first."""
    level = [node]
    while level:
        yield from level
        level = [child for parent in level for child in parent if child is not None]


def find(root, role, name):
    return next((n for n in walk(root) if n.getRoleName() == role and n.name == name), None)


def child(parent, role, name):
    return next((c for c in parent if c is not None and c.getRoleName() == role and c.name == name),
                None)


def top_level(app, role, name):
    return wait_for("%s %r" % (role, name), lambda: child(app, role, name))


def press(node):
    actions = node.queryAction()
    names = [actions.getName(i) for i in range(actions.nActions)]
    if "Press" not in names:
        fail("%s %r cannot be pressed; it offers %s" % (node.getRoleName(), node.name, names))
    try:
        actions.doAction(names.index("Press"))
    except GLib.Error as error:
        fail("pressing %r did not return: %s" % (node.name, error.message))


def choose_file(app, title, path):
    dialog = top_level(app, "dialog", title)
    wait_for("file name field", lambda: find(dialog, "text", "File name:")) \
        .queryEditableText().setTextContents(path)
    accept = find(dialog, "push button", "Open")
    wait_for("enabled Open button", lambda: accept.getState().contains(pyatspi.STATE_ENABLED))
    press(accept)


def check_controls(frame, captions_program):
    """Every button, menu and item is there under its caption, and acts."""
    listed = subprocess.run([captions_program], check=True, capture_output=True, text=True).stdout
    # The mnemonic marks are not read.
    expected = sorted((kind, re.sub("&(.)", r"\1", text))
                      for kind, text in (line.split("\t") for line in listed.splitlines()))
    seen, inert = [], []
    for node in walk(frame):
        role = node.getRoleName()
        if role == "push button":
            seen.append(("button", node.name))
        elif role == "menu item":
            seen.append(("menu" if node.parent.getRoleName() == "menu bar" else "item", node.name))
        else:
            continue
        if node.getState().contains(pyatspi.STATE_ENABLED) and node.queryAction().nActions == 0:
            inert.append(node.name)
    if sorted(seen) != expected or inert:
        fail("controls differ from the description:\n  seen %s\n  want %s\n  inert %s"
             % (sorted(seen), expected, inert))


def main(folder, program, captions_program):
    first = os.path.join(folder, "first file to compare, with a long name.txt")
    second = os.path.join(folder, "second file to compare, with a long name.txt")
    diff = os.path.join(folder, "diff-program")
    recorder = '#!/bin/sh\nprintf "%s\\n" "$@" >"$0.part" && mv "$0.part" "$0.args"\n'
    for path, text in ((first, "1\n"), (second, "2\n"), (diff, recorder)):
        with open(path, "w") as out:
            out.write(text)
    os.chmod(diff, 0o755)
    # A known diff program on PATH, which Locate Windiff offers by name.
    programs = os.path.join(folder, "bin")
    os.mkdir(programs)
    meld = os.path.join(programs, "meld")
    with open(meld, "w") as out:
        out.write("#!/bin/sh\n")
    os.chmod(meld, 0o755)

    renamed = []
    pyatspi.Registry.registerEventListener(lambda event: renamed.append(event.source.name),
                                           "object:property-change:accessible-name")
    env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
               PATH=programs + ":" + os.environ.get("PATH", "/usr/bin:/bin"))
    process = subprocess.Popen([program], cwd=folder, env=env)
    try:
        desktop = pyatspi.Registry.getDesktop(0)
        app = wait_for("Twinvane on the bus", lambda: child(desktop, "application", "Twinvane"))
        frame = top_level(app, "frame", "Twinvane")
        panels = list(wait_for("status bar", lambda: find(frame, "status bar", "")))

        def shown(*texts):
            wait_for("status %s" % (texts,), lambda: tuple(p.name for p in panels) == texts)

        shown("File 1", "File 2", "CAN'T FIND WINDIFF")
        for panel, which in zip(panels, ("File 1", "File 2", "Status")):
            if not panel.description.startswith(which):
                fail("panel %r is described as %r" % (which, panel.description))
        check_controls(frame, captions_program)

        press(find(frame, "push button", "Select File 1"))
        choose_file(app, "Select File 1", first)
        shown(first, "File 2", "CAN'T FIND WINDIFF")
        press(find(frame, "menu item", "Select File 2"))
        choose_file(app, "Select File 2", second)
        shown(first, second, "CAN'T FIND WINDIFF")
        # Locate Windiff first lists the known programs found on PATH.
        press(find(frame, "menu item", "Locate Windiff"))
        choice = top_level(app, "dialog", "Locate Windiff")
        programs = wait_for("list of programs", lambda: find(choice, "list", "Diff programs found"))
        lines = [item.name for item in walk(programs) if item.getRoleName() == "list item"]
        if "Meld \u2014 " + meld not in lines:
            fail("the list does not offer %s: %s" % (meld, lines))
        if not find(choice, "push button", "Cancel"):
            fail("the list has no Cancel button")
        press(find(choice, "push button", "Browse\u2026"))
        wait_for("the file dialog after Browse", lambda: any(
            d.name == "Locate Windiff" and find(d, "text", "File name:") for d in app))
        choose_file(app, "Locate Windiff", diff)
        shown(first, second, "READY")
        wait_for("name-change event telling of READY", lambda: "READY" in renamed)

        # The two paths are too long for the diff program, and the question says so.
        press(find(frame, "push button", "Compare"))
        question = top_level(app, "alert", "Error")
        shown(first, second, "NAMES TOO LONG %d" % (len(first) + len(second)))
        if not any("exceeds 64 characters" in n.name for n in walk(question)):
            fail("the question does not say why")
        press(find(question, "push button", "Cancel"))  # compare the long names anyway
        shown(first, second, "READY")
        wait_for("the diff program's record", lambda: os.path.exists(diff + ".args"))
        with open(diff + ".args") as record:
            if record.read().splitlines() != [first, second]:
                fail("the diff program was not given the two files")

        # A long copy to the short names shows its progress, read as shown;
        # its Cancel leaves no copy and the state as Abort would.
        os.remove(diff + ".args")
        os.truncate(first, 16 << 30)  # sparse: quick to make, slow to copy
        press(find(frame, "push button", "Compare"))
        press(find(top_level(app, "alert", "Error"), "push button", "OK"))
        progress = top_level(app, "dialog", "Twinvane")
        wait_for("progress text read as shown", lambda: find(progress, "label", COPY_TEXT))
        wait_for("progress bar", lambda: next(
            (n for n in walk(progress) if n.getRoleName() == "progress bar"), None))
        press(find(progress, "push button", "Cancel"))
        wait_for("the progress dialog to close", lambda: child(app, "dialog", "Twinvane") is None)
        shown(first, second, "NAMES TOO LONG %d" % (len(first) + len(second)))
        copies = os.path.join(os.environ["XDG_RUNTIME_DIR"], "twinvane")
        left = lambda: [name for name in os.listdir(copies) if name.startswith("TWVTemp")] \
            if os.path.isdir(copies) else []
        # The copying thread removes what it wrote once it sees the Cancel,
        # which may be a moment after the dialog has gone.
        wait_for("no copy left after Cancel", lambda: not left())
        if os.path.exists(diff + ".args"):
            fail("a cancelled copy started the diff program")

        # A termination signal while the question is open closes it with the
        # choice that does nothing: the program ends normally, and the diff
        # program is not started again.
        press(find(frame, "push button", "Compare"))
        top_level(app, "alert", "Error")
        process.send_signal(signal.SIGTERM)
        if process.wait(timeout=STEP_SECONDS) != 0:
            fail("exit status %d after SIGTERM during the question" % process.returncode)
        time.sleep(1)
        if os.path.exists(diff + ".args"):
            fail("SIGTERM during the question started the diff program")

        compare_from_file_manager(folder, program, env, diff)
    finally:
        if process.poll() is None:
            process.kill()
            process.wait()
    print("PASS")


def compare_from_file_manager(folder, program, env, diff):
    """File 1 chosen in one folder, a file of another compared with it: the
    long names bring the question with no main window; the short copies go to
    the diff program and are deleted once it has ended, and Twinvane ends."""
    here = os.path.join(folder, "one folder")
    elsewhere = os.path.join(folder, "another folder")
    first = os.path.join(here, "a file chosen as File 1 in one folder.txt")
    third = os.path.join(elsewhere, "third file, compared from another folder.txt")
    for path in (first, third):
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w") as out:
            out.write(path)
    subprocess.run([program, "--file1", first], env=env, check=True, timeout=STEP_SECONDS)
    process = subprocess.Popen([program, "--compare-with-file1", third], cwd=elsewhere, env=env)
    try:
        desktop = pyatspi.Registry.getDesktop(0)
        app = wait_for("Twinvane on the bus", lambda: child(desktop, "application", "Twinvane"))
        question = top_level(app, "alert", "Error")
        if any(w.getRoleName() == "frame" and w.getState().contains(pyatspi.STATE_SHOWING)
               for w in app):
            fail("the main window shows during a comparison from the file manager")
        press(find(question, "push button", "OK"))
        clean_up = top_level(app, "alert", "Warning")
        press(find(clean_up, "push button", "OK"))
        if process.wait(timeout=STEP_SECONDS) != 0:
            fail("exit status %d after comparing from the file manager" % process.returncode)
        with open(diff + ".args") as record:
            compared = record.read().splitlines()
        if [os.path.basename(p) for p in compared] != ["TWVTemp1", "TWVTemp2"]:
            fail("the diff program was given %s, not the short copies" % compared)
        left = [p for p in compared if os.path.exists(p)]
        if left:
            fail("the copies %s were not deleted after the diff program ended" % left)
        file1 = subprocess.run([program, "--print-file1"], env=env, check=True,
                               capture_output=True, text=True).stdout
        if file1.rstrip("\n") != first:
            fail("File 1 is %r after the comparison, not the file chosen" % file1)
    finally:
        if process.poll() is None:
            process.kill()
            process.wait()


if __name__ == "__main__":
    with tempfile.TemporaryDirectory(prefix="twinvane-accessibility-") as work:
        main(work, *sys.argv[1:])
