# SPDX-License-Identifier: MIT
"""Twinvane's items in the context menu of Files (Nautilus).

"Choose as File 1 for Twinvane" on one file, "Compare with <File 1> in
Twinvane" on one file while a File 1 is stored, and "Compare in Twinvane"
on exactly two files. Twinvane itself stores and reads File 1: this menu
only runs its command line.
"""

import subprocess

from gi.repository import GObject, Nautilus

PROGRAM = "twinvane"
# Asking Twinvane for File 1 as the menu opens must never hold the menu up.
ASK_TIMEOUT_SECONDS = 2


def stored_file1():
    """File 1 as Twinvane stores it; "" when none; None when it cannot say."""
    try:
        answer = subprocess.run([PROGRAM, "--print-file1"], capture_output=True,
                                timeout=ASK_TIMEOUT_SECONDS, check=True)
    except (OSError, subprocess.SubprocessError):
        return None
    return answer.stdout.decode("utf-8", "surrogateescape").rstrip("\n")


def local_paths(files):
    """The selected files' local paths, or None when one is no local file."""
    paths = []
    for item in files:
        location = item.get_location()
        path = location.get_path() if location is not None else None
        if path is None or item.is_directory():
            return None
        paths.append(path)
    return paths


def start(arguments):
    # Its own session: Twinvane may stay to delete temporary copies after
    # the diff program ends, whatever becomes of the file manager.
    subprocess.Popen([PROGRAM, *arguments], start_new_session=True,
                     stdin=subprocess.DEVNULL)


class TwinvaneMenu(GObject.GObject, Nautilus.MenuProvider):
    def _item(self, name, label, arguments):
        item = Nautilus.MenuItem(name="Twinvane::" + name, label=label, icon=PROGRAM)
        item.connect("activate", lambda _item: start(arguments))
        return item

    # Files 43 passes the files alone; older versions pass the window first.
    def get_file_items(self, *arguments):
        paths = local_paths(arguments[-1])
        if not paths:
            return []
        if len(paths) == 2:
            return [self._item("Compare", "Compare in Twinvane", ["--compare", "--", *paths])]
        if len(paths) != 1:
            return []
        items = [self._item("ChooseFile1", "Choose as File 1 for Twinvane",
                            ["--file1", "--", paths[0]])]
        file1 = stored_file1()
        if file1 != "":
            name = file1.rsplit("/", 1)[-1] if file1 else "File 1"
            items.append(self._item("CompareWithFile1", f"Compare with {name} in Twinvane",
                                    ["--compare-with-file1", "--", paths[0]]))
        return items
