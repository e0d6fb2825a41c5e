#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Velimor
# SPDX-License-Identifier: GPL-3.0-or-later
#
# debian/copyright against the REUSE data: for every file that reuse knows,
# the paragraph that Debian's format applies to it (the last whose Files
# pattern matches) names the same licence and the same copyright.
# Reads `reuse spdx` on standard input; run in the project's folder
# (Debian's python3-debian reads debian/copyright).
import re
import sys

from debian.copyright import Copyright


def paragraphs(text):
    for block in re.split(r"\n\s*\n", text.strip()):
        fields, key = {}, None
        for line in block.splitlines():
            if line[:1] in (" ", "\t") and key:
                fields[key] += "\n" + line.strip()
            else:
                key, _, value = line.partition(":")
                fields[key] = value.strip()
        yield fields


debian = Copyright(open("debian/copyright"))
files = [p for p in paragraphs(sys.stdin.read()) if "FileName" in p]
if not files:
    sys.exit("reuse spdx gave no files")
failures = 0
for f in files:
    name = f["FileName"].removeprefix("./")
    stanza = debian.find_files_paragraph(name)
    if stanza is None:
        print(f"{name}: no Files paragraph in debian/copyright")
        failures += 1
        continue
    licence = stanza.license.synopsis
    # A manual page's own notice, with its \(co sign and full stop, names the same holder.
    holders = {re.sub(r"^(SPDX-FileCopyrightText:|Copyright)?\s*(\\\(co|©|\(c\))?\s*|\.$", "", line.strip())
               for line in re.sub(r"</?text>", "", f.get("FileCopyrightText", "")).splitlines() if line.strip()}
    said = set(stanza.copyright.splitlines())
    if f["LicenseInfoInFile"] != licence or not holders <= said:
        print(f"{name}: reuse says {f['LicenseInfoInFile']}, {sorted(holders)}; "
              f"debian/copyright says {licence}, {sorted(said)}")
        failures += 1
print(f"debian/copyright agrees with reuse on {len(files) - failures} of {len(files)} files")
sys.exit(1 if failures else 0)
