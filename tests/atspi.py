#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Velimor
# SPDX-License-Identifier: GPL-3.0-or-later
"""The real program as a screen reader meets it, over AT-SPI: a frame named by
its caption, no hidden settings texts in it, and a picture whose name and
description a client reads before, during and after a press, and whose
changes it is told of.      atspi.py ZRCADLO-BINARY DESKTOPREFERENCE   (X server, session bus)
"""
import json
import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

# The window's design, the table the program is built from.
DESIGN = {c["name"]: c for c in json.loads(subprocess.run([sys.argv[2], "design"], capture_output=True, text=True,
                                                          env=dict(os.environ, QT_QPA_PLATFORM="offscreen"),
                                                          check=True).stdout)["controls"]}
PICTURE = DESIGN["picture"]["accessibleName"]
changes = []  # the description, read from the source of each change event


def wait_for(what, check, seconds=30):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        value = check()
        if value:
            return value
        GLib.MainContext.default().iteration(False)
        time.sleep(0.01)
    sys.exit(f"FAIL: no {what} within {seconds} s")


def frame():
    apps = [a for a in pyatspi.Registry.getDesktop(0) if a is not None and a.name == "zrcadlo"]
    return next((w for a in apps for w in a if w is not None and w.name == "Velimor - www.velimor.example"), None)


def click(at):
    xid = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Velimor - "],
                         capture_output=True, text=True).stdout.split()[0]
    subprocess.run(["xdotool", "mousemove", "--window", xid, *at.split(), "click", "1"], check=True)


program = subprocess.Popen([sys.argv[1]], env=dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1"))
try:
    pyatspi.Registry.registerEventListener(
        lambda e: e.source is not None and e.source.name == PICTURE and changes.append(e.source.description),
        "object:property-change:accessible-description")
    window = wait_for("frame named by the caption", frame)
    picture = pyatspi.findDescendant(window, lambda n: n is not None and n.name == PICTURE)
    said = {"before": picture.description}
    click("%d %d" % (DESIGN["cmdStart"]["inWindow"][0] + 44, DESIGN["cmdStart"]["inWindow"][1] + 14))  # Start
    said["during"] = wait_for("description during the press", lambda: " z 30" in picture.description
                              and picture.description)
    said["after"] = wait_for("description after the press", lambda: "Součet" in picture.description
                             and picture.description)
    wait_for("change event of the end", lambda: any("Součet" in c for c in changes))
    for when, text in said.items():
        print(f"{when}: {text}")
    print(f"description-change events: {len(changes)}")
    failures = [f"{when} lacks {fact!r}" for when, fact in [("before", "prázdný"), ("during", "element"),
                                                           ("after", "3,7")] if fact not in said[when]]
    if window.getRole() != pyatspi.ROLE_FRAME or picture.getRole() != pyatspi.ROLE_IMAGE:
        failures.append(f"roles: {window.getRoleName()}, {picture.getRoleName()}")
    if any(c.getRole() == pyatspi.ROLE_TEXT for c in window if c is not None):
        failures.append("text objects in the window")
    if not any("element" in c for c in changes):
        failures.append("no change event during the press")
    # At twice the size, each control is where it is seen: a screen reader's
    # mouse review, flat review and a magnifier land on it.
    xid = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Velimor - "],
                         capture_output=True, text=True).stdout.split()[0]
    subprocess.run(["xdotool", "windowsize", "--sync", xid, "1600", "1162"], check=True)
    origin = [int(v.split("=")[1]) for v in subprocess.run(["xdotool", "getwindowgeometry", "--shell", xid],
                                                          capture_output=True, text=True).stdout.split()[1:3]]
    for name, design in [(DESIGN[c]["accessibleName"], DESIGN[c]["inWindow"]) for c in
                         ("cmdStart", "op250", "HScroll1", "picture")]:
        node = pyatspi.findDescendant(window, lambda n, name=name: n is not None and n.name == name)
        want = (origin[0] + 2 * design[0], origin[1] + 2 * design[1], 2 * design[2], 2 * design[3])
        got = wait_for(f"extents of {name}", lambda node=node, want=want: (
            tuple(node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)) == want and want), seconds=5)
        print(f"{name} at twice the size: {got}")
    konec = DESIGN["cmdKonec"]["inWindow"]
    click("%d %d" % (2 * konec[0] + 88, 2 * konec[1] + 28))  # Konec, at twice the size
    program.wait(timeout=30)
    sys.exit("FAIL: " + "; ".join(failures) if failures else 0)
finally:
    if program.poll() is None:
        program.kill()
        program.wait()
