# SPDX-License-Identifier: MIT
"""Runs the context-menu items Twinvane installs for Dolphin, Nemo and Files
(Nautilus) as each file manager would, on files in two folders, and checks
what the real program then stores and starts.
FileManagerMenus.py PROGRAM RECORDER MENUS_FOLDER"""
import configparser
import os
import shlex
import subprocess
import sys
import tempfile
import time
import types


def fail(message):
    raise SystemExit("FAIL: " + message)


def sections(path):
    parser = configparser.ConfigParser(interpolation=None, strict=True)
    parser.optionxform = str
    parser.read(path, encoding="utf-8")
    return parser


def expand(exec_line, paths, quote):
    """An Exec line with its file codes replaced, split as the file manager's shell rules do."""
    words = []
    for word in shlex.split(exec_line):
        if word in ("%f", "%F"):
            words += [quote(p) for p in (paths[:1] if word == "%f" else paths)]
        else:
            words.append(shlex.quote(word))
    return shlex.split(" ".join(words))


class Check:
    def __init__(self, work, program, recorder):
        self.program = program
        self.record = os.path.join(work, "record.txt")
        self.env = dict(os.environ, TWINVANE_RECORD_FILE=self.record, QT_QPA_PLATFORM="offscreen")
        os.environ.update(self.env)  # the Nautilus extension runs in this process
        config = os.path.join(os.environ["XDG_CONFIG_HOME"], "twinvane")
        os.makedirs(config, exist_ok=True)
        with open(os.path.join(config, "registry.reg"), "w") as out:
            out.write('REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Varnook\\Twinvane]\n'
                      '"WD Loc"="%s"\n"Short Names"="0"\n' % recorder)

    def run(self, argv):
        if argv[0] != "twinvane":
            fail("an item runs %s, not twinvane" % argv[0])
        subprocess.run([self.program] + argv[1:], env=self.env, check=True, timeout=30)

    def file1(self):
        return subprocess.run([self.program, "--print-file1"], env=self.env, check=True,
                              capture_output=True, text=True).stdout.rstrip("\n")

    def expect_file1(self, path, where):
        if self.file1() != path:
            fail("%s: File 1 is %r, not %r" % (where, self.file1(), path))

    def expect_compared(self, first, second, where):
        deadline = time.monotonic() + 10
        while not os.path.exists(self.record) and time.monotonic() < deadline:
            time.sleep(0.05)
        with open(self.record) as record:
            arguments = [line.split(":", 1)[1] for line in record.read().splitlines()[1:]]
        os.remove(self.record)
        if arguments != [first, second]:
            fail("%s: the diff program got %s" % (where, arguments))


def check_desktop_files(check, menus, one, two, other):
    """Dolphin: desktop-entry quoting; Nemo: its Quote=double."""
    dolphin = {}
    for name in ("twinvane-file1.desktop", "twinvane-compare.desktop"):
        for section in sections(os.path.join(menus, name)).values():
            if section.name.startswith("Desktop Action "):
                dolphin[section["Name"]] = section["Exec"]
    nemo = {}
    for name in os.listdir(menus):
        if name.endswith(".nemo_action"):
            action = sections(os.path.join(menus, name))["Nemo Action"]
            nemo[action["Name"]] = action["Exec"]
    for manager, items, quote in (("Dolphin", dolphin, shlex.quote),
                                  ("Nemo", nemo, lambda p: '"%s"' % p)):
        check.run(expand(items["Choose as File 1 for Twinvane"], [one], quote))
        check.expect_file1(one, manager)
        check.run(expand(items["Compare with File 1 in Twinvane"], [other], quote))
        check.expect_compared(one, other, manager + " compare with File 1")
        check.run(expand(items["Compare in Twinvane"], [one, two], quote))
        check.expect_compared(one, two, manager + " compare two")


def check_nautilus(check, menus, one, other, folder):
    """Files: the extension with stand-ins for the file manager's classes."""
    class MenuItem:
        def __init__(self, name, label, icon):
            self.name, self.label, self.icon, self.activate = name, label, icon, None

        def connect(self, signal, handler):
            self.activate = lambda: handler(self)

    class File:
        def __init__(self, path):
            self.path = path

        def get_location(self):
            return types.SimpleNamespace(get_path=lambda: self.path)

        def is_directory(self):
            return os.path.isdir(self.path)

    repository = types.ModuleType("gi.repository")
    repository.GObject = types.SimpleNamespace(GObject=type("GObject", (), {}))
    repository.Nautilus = types.SimpleNamespace(MenuProvider=type("MenuProvider", (), {}),
                                                MenuItem=MenuItem)
    sys.modules["gi"] = types.ModuleType("gi")
    sys.modules["gi.repository"] = repository
    namespace = {}
    with open(os.path.join(menus, "twinvane-nautilus.py")) as source:
        exec(compile(source.read(), "twinvane-nautilus.py", "exec"), namespace)
    menu = namespace["TwinvaneMenu"]()
    os.environ["PATH"] = os.path.dirname(check.program) + ":" + os.environ["PATH"]

    if menu.get_file_items([File(folder)]):
        fail("Files: items offered for a folder")
    labels = lambda items: [i.label for i in items]  # noqa: E731
    check.run(["twinvane", "--file1", one])
    items = menu.get_file_items(None, [File(other)])  # the older form, with a window
    want = ["Choose as File 1 for Twinvane",
            "Compare with %s in Twinvane" % os.path.basename(one)]
    if labels(items) != want:
        fail("Files: the items are %s" % labels(items))
    items[1].activate()
    check.expect_compared(one, other, "Files compare with File 1")
    items = menu.get_file_items([File(other), File(one)])
    if labels(items) != ["Compare in Twinvane"]:
        fail("Files: for two files the items are %s" % labels(items))
    items[0].activate()
    check.expect_compared(other, one, "Files compare two")
    menu.get_file_items([File(other)])[0].activate()
    deadline = time.monotonic() + 10
    while check.file1() != other and time.monotonic() < deadline:
        time.sleep(0.05)
    check.expect_file1(other, "Files choose")


def main(work, program, recorder, menus):
    first_folder = os.path.join(work, "first folder")
    second_folder = os.path.join(work, "second's folder")
    os.makedirs(first_folder)
    os.makedirs(second_folder)
    one = os.path.join(first_folder, "one $HOME.txt")
    two = os.path.join(first_folder, "two.txt")
    other = os.path.join(second_folder, "-other 'file'.txt")
    for path in (one, two, other):
        with open(path, "w") as out:
            out.write(path)
    check = Check(work, program, recorder)
    check_desktop_files(check, menus, one, two, other)
    # The program named by the extension is looked up on PATH.
    link_folder = os.path.join(work, "bin")
    os.makedirs(link_folder)
    os.symlink(program, os.path.join(link_folder, "twinvane"))
    check.program = os.path.join(link_folder, "twinvane")
    check_nautilus(check, menus, one, other, second_folder)
    print("PASS")


if __name__ == "__main__":
    with tempfile.TemporaryDirectory(prefix="twinvane-menus-") as folder:
        main(folder, *sys.argv[1:])
