#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Velimor
# SPDX-License-Identifier: GPL-3.0-or-later
"""What a blind student hears: Debian's Orca, in Czech, follows the real
program and the page in Chromium, keys by xdotool, and what it would speak
read from its debug log (no voice is needed for it to say it there).
    orca.py desktop ZRCADLO-BINARY | page ZRCADLO-HTML   (X server, session bus)
"""
import os
import re
import signal
import subprocess
import sys
import tempfile
import time

PICTURE = "Obraz odrazu světla"
RESULT = r"elementy 15 a 16.*3,7"  # shift 0, frequency 1


class Orca:
    """Orca with a world of its own: the accessibility bus, preferences,
    a Czech locale; its log read as it grows."""

    def __init__(self, scratch):
        self.scratch = scratch
        locales = os.path.join(scratch, "locale")
        os.makedirs(locales)
        subprocess.run(["localedef", "-i", "cs_CZ", "-f", "UTF-8", os.path.join(locales, "cs_CZ.UTF-8")],
                       check=True)
        os.environ.update(LOCPATH=locales, LANG="cs_CZ.UTF-8", HOME=scratch, GSETTINGS_BACKEND="memory")
        os.makedirs(os.path.join(scratch, "prefs"))
        self.processes = [subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)]
        self.log = os.path.join(scratch, "orca.log")
        # Orca refuses to start beside another Orca of the same user (a
        # developer's own, or the other test's): it asks pgrep, which here
        # finds none, so that each stays in its own world.
        shims = os.path.join(scratch, "bin")
        os.makedirs(shims)
        with open(os.path.join(shims, "pgrep"), "w") as f:
            f.write("#!/bin/sh\nexit 1\n")
        os.chmod(os.path.join(shims, "pgrep"), 0o755)
        # Orca writes its log through a terminal of its own, which makes it
        # write each line as it comes.
        self.processes.append(subprocess.Popen(
            ["script", "-qfc", f"orca -u {scratch}/prefs --debug-file=/dev/stdout", self.log],
            env=dict(os.environ, PATH=shims + os.pathsep + os.environ["PATH"]),
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True))
        self.wait_for(r"ORCA: Startup complete", lines=self.lines)
        # Qt reads it at start-up, so it is set before the program starts.
        subprocess.run(["gsettings", "set", "org.gnome.desktop.interface", "toolkit-accessibility", "true"],
                       check=True)

    def lines(self):
        if not os.path.exists(self.log):
            return []
        with open(self.log, encoding="utf-8", errors="replace") as f:
            return f.read().splitlines()

    def said(self):
        """Every utterance so far, in order."""
        return [m.group(1) for line in self.lines() if (m := re.search(r"SPEECH OUTPUT: '(.*)' ?\{", line))]

    def late(self, utterance, press):
        """How long after the picture was complete Orca said an utterance, by
        its log's own times: the press began at the Space before it."""
        spoken = [(line[:15], m.group(1)) for line in self.lines()
                  if (m := re.search(r"SPEECH OUTPUT: '(.*)' ?\{", line))]
        seconds = lambda clock: sum(float(v) * 60 ** (2 - i) for i, v in enumerate(clock.split(":")))
        space = max(i for i, (_, text) in enumerate(spoken[:utterance]) if text.startswith("mezera"))
        return seconds(spoken[utterance][0]) - seconds(spoken[space][0]) - press

    def wait_for(self, pattern, after=0, seconds=60, lines=None):
        """The index of the first utterance from `after` on that matches."""
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            found = [i for i, text in enumerate((lines or self.said)()) if i >= after and re.search(pattern, text)]
            if found:
                return found[0]
            time.sleep(0.05)
        raise AssertionError(f"Orca never said /{pattern}/; it said:\n" + "\n".join(self.said()[after:]))

    def keys(self, *names):
        for name in names:
            subprocess.run(["xdotool", "key", "--delay", "150", name], check=True)

    def stop(self):
        # Orca and what it started run in a session of their own.
        os.killpg(self.processes[-1].pid, signal.SIGTERM)
        for p in reversed(self.processes):
            p.terminate()
            p.wait(timeout=10)


def desktop(orca, binary):
    app = subprocess.Popen([binary], env=dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1"))
    window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "^Velimor - "],
                            capture_output=True, text=True, timeout=30).stdout.split()[0]
    subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True)
    return app


def page(orca, html):
    profile = os.path.join(orca.scratch, "chromium")
    return subprocess.Popen(["chromium", "--no-sandbox", "--force-renderer-accessibility", "--no-first-run",
                             "--disable-gpu", "--disable-features=Translate", "--user-data-dir=" + profile, "--window-size=900,700",
                             "--app=file://" + os.path.abspath(html)],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)


# Each row: the front end, then steps: keys to press, and what Orca must
# say after them (in order, from where the row's last step left off).
# "then KEYS" presses more keys once what comes before it was said: Orca
# drops a focus it has not spoken yet when a newer one comes, so a row waits
# for each place it must hear before it moves on.
# "during" is the press's own announcement, which comes once it runs;
# "at once N", that the utterance before it came within a second of the
# picture's completion, N seconds after the Space that started the press.
ROWS = {
    "desktop": [
        ("the window opens", [], [r"Velimor - www.velimor.example rám", "Start tlačítko"]),
        ("a press heard without doing anything: its start, then its result",
         ["space"], [r"oznámení Animace běží\.$", "=oznámení Nakresleno.*" + RESULT, "at once 1.5"]),
        ("the picture read again by Tab, after the scroll bar",
         ["Tab"] * 4, [r"Zpomalení animace", "then Tab", PICTURE + " obrázek", r"^Nakresleno.*" + RESULT]),
        ("the group named once", ["Tab"], [r"Start tlačítko", "then Tab", r"^Posun", r"=^0\."]),
        ("the screen reader's own key answered during a slow press",
         ["shift+Tab"] * 3 + ["End"], [r"^20", "then Tab Tab space", r"oznámení Animace běží", "during", "at once 30"]),
    ],
    "page": [
        ("the page opens, its title naming the program", [], [r"Dokončeno načítání Zrcadlo – Velimor - www.velimor.example"]),
        ("the slowdown changes with arrows after Tab", ["Tab"] * 4 + ["Right"],
         [r"Zpomalení animace", r"^2$"]),
        ("a press heard: its start, then its result", ["shift+Tab"] * 4 + ["space"],
         [r"^Animace běží\.$", "=Nakresleno.*" + RESULT, "at once 3"]),  # slowdown 2
        ("the group named once", ["Tab"], [r"^Posun panel", r"=^0\."]),
        ("the picture read again by Tab after the slider", ["Tab"] * 3,
         [r"Zpomalení animace", "then Tab", PICTURE, "Nakresleno.*" + RESULT]),
        ("and in browse mode, as the page's graphic", ["ctrl+Home", "g"], [PICTURE, "Nakresleno.*" + RESULT]),
        ("a heading names the program", ["h"], [r"^Zrcadlo záhlaví úrovně 1"]),
    ],
}


def main():
    mode, target = sys.argv[1:3]
    failures = []
    with tempfile.TemporaryDirectory() as scratch:
        orca = Orca(scratch)
        program = None
        try:
            program = desktop(orca, target) if mode == "desktop" else page(orca, target)
            mark = 0
            for name, keys, heard in ROWS[mode]:
                try:
                    orca.keys(*keys)
                    for pattern in heard:
                        if pattern.startswith("then "):
                            orca.keys(*pattern.split()[1:])
                            continue
                        if pattern.startswith("at once"):
                            late = orca.late(mark - 1, float(pattern.split()[-1]))
                            if late > 1:
                                raise AssertionError(f"the result {late:.2f} s after the picture")
                            print(f"  the result {late:.2f} s after the picture")
                            continue
                        if pattern == "during":
                            # Orca's "where am I" while the press still runs is
                            # answered before the press ends, not after it.
                            orca.keys("KP_Enter")
                            answer = orca.wait_for(r"Start tlačítko", after=mark)
                            end = orca.wait_for(r"oznámení Nakresleno", after=mark, seconds=90)
                            if end < answer:
                                raise AssertionError("answered only after the press")
                            mark = end + 1
                            continue
                        found = orca.wait_for(pattern.lstrip("="), after=mark)
                        if pattern.startswith("=") and found != mark:  # the very next utterance
                            raise AssertionError(f"/{pattern[1:]}/ not next: {orca.said()[mark:found + 1]}")
                        mark = found + 1
                    print(f"ok: {name}")
                except AssertionError as e:
                    failures.append(f"{name}: {e}")
                    print(f"FAIL: {name}: {e}")
            print("Orca said:\n  " + "\n  ".join(orca.said()))
        finally:
            if program:
                if mode == "page":  # Chromium and its helpers
                    os.killpg(program.pid, signal.SIGTERM)
                else:
                    program.terminate()
                program.wait(timeout=10)
            orca.stop()
    print(f"{len(ROWS[mode]) - len(failures)} passed, {len(failures)} failed")
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
