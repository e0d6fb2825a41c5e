#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Velimor
# SPDX-License-Identifier: GPL-3.0-or-later
"""The real program as a screen reader meets it, over AT-SPI: the window is a
frame named by its caption with no hidden settings texts in it, and the
picture is an image with a name and a description that a client can read
before, during and after a press, and whose changes it is told of.

    atspi.py ZRCADLO-BINARY      (on an X server, with a session bus)
"""
import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

CAPTION = "Velimor - www.velimor.example"
PICTURE = "Obraz odrazu světla"
START, KONEC = ("492", "30"), ("596", "30")
context = GLib.MainContext.default()
changes = []  # descriptions read from the source of each change event


def pump(seconds=0.05):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        context.iteration(False)
        time.sleep(0.005)


def wait_for(what, check, seconds=30):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        value = check()
        if value:
            return value
        pump()
    sys.exit(f"FAIL: no {what} within {seconds} s")


def find(node, test):
    if test(node):
        return node
    for i in range(node.childCount):
        found = find(node.getChildAtIndex(i), test)
        if found:
            return found
    return None


def frame():
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is not None and app.name == "zrcadlo":
            for child in app:
                if child is not None and child.name == CAPTION:
                    return child
    return None


def on_change(event):
    if event.source is not None and event.source.name == PICTURE:
        changes.append(event.source.description)


def click(window, at):
    subprocess.run(["xdotool", "mousemove", "--window", window, *at, "click", "1"], check=True)


def main():
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    program = subprocess.Popen([sys.argv[1]], env=env)
    try:
        pyatspi.Registry.registerEventListener(on_change, "object:property-change:accessible-description")
        window = wait_for("frame named by the caption", frame)
        failures = []
        if window.getRole() != pyatspi.ROLE_FRAME:
            failures.append(f"the window is a {window.getRoleName()}")
        texts = [c for c in window if c is not None and c.getRole() == pyatspi.ROLE_TEXT]
        if texts:
            failures.append(f"{len(texts)} text objects in the window")
        picture = find(window, lambda n: n is not None and n.name == PICTURE)
        if picture is None or picture.getRole() != pyatspi.ROLE_IMAGE:
            sys.exit(f"FAIL: no image named {PICTURE}: {failures}")
        said = {"before": picture.description}

        xid = wait_for("X window", lambda: subprocess.run(
            ["xdotool", "search", "--onlyvisible", "--name", "^Velimor - "],
            capture_output=True, text=True).stdout.split())[0]
        click(xid, START)
        said["during"] = wait_for("description during the press",
                                  lambda: "element" in picture.description and picture.description)
        said["after"] = wait_for("description after the press",
                                 lambda: "Součet" in picture.description and picture.description)
        pump(0.5)
        said["events"] = len(changes)
        for when, fact in [("before", "prázdný"), ("during", " z 30"), ("after", "3,7")]:
            if fact not in said[when]:
                failures.append(f"{when}: {said[when]!r} lacks {fact!r}")
        if not any("element" in c for c in changes) or not any("3,7" in c for c in changes):
            failures.append(f"change events: {changes[:3]} … ({len(changes)})")
        for when in ("before", "during", "after"):
            print(f"{when}: {said[when]}")
        print(f"description-change events received: {said['events']}")
        click(xid, KONEC)
        program.wait(timeout=30)
        if failures:
            sys.exit("FAIL: " + "; ".join(failures))
        print("atspi: the window and its picture read as expected")
    finally:
        if program.poll() is None:
            program.kill()
            program.wait()


if __name__ == "__main__":
    main()
