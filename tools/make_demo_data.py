#!/usr/bin/env python3
"""Writes the demo data from its readable sources.

    tools/make_demo_data.py

Reads tools/demo_definitions.txt (UTF-8) and writes, as Windows-1252 bytes with CR LF
line ends:

    res/demo/Kelvaro                        definitions file of the demo
    res/demo/Kelvaro.ini                    settings file of the demo
    res/demo/update/Kelvaro/Kelvaro         definitions served by the demo update server:
                                            the local ones followed by the "[server]" ones
    res/release/Kelvaro                     starter definitions of the release ZIP: the
                                            real Windows processes of both sections (no
                                            made-up names, no Wine programs, no lines
                                            about Wine)
    res/release/Kelvaro.ini                 starter settings file of the release ZIP: the
                                            program's defaults but no update check at
                                            start-up, and an empty kill list (the program
                                            saves settings only into a file that exists)

scripts/run.sh publishes the served definitions with tools/publish_update.py, which writes
the update information and the signed manifest of the demo server.

A definitions record is three lines: the verdict in decimal, the executable name, and the
description lines each ended by the byte 0xB5 ("µ" in Windows-1252). Standard library only.
"""

import os
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SOURCE = os.path.join(ROOT, "tools", "demo_definitions.txt")
DEMO = os.path.join(ROOT, "res", "demo")
SERVER = os.path.join(DEMO, "update", "Kelvaro")

ENCODING = "cp1252"
CRLF = "\r\n"
SEPARATOR = "µ"
MAX_DESCRIPTION_LINES = 3

# The settings group of both settings files: the program's defaults for missing keys,
# except that the update check at start-up stays off until the user turns it on (no
# network without being asked). The release's file gives the first save in the settings
# dialog a file to write to; the demo's also puts a made-up program on the kill list.
SETTINGS_LINES = (
    "[Einstellungen]",
    "Autostart = 0",
    "Minimiert Starten = 0",
    "AutoAktualisieren = 1",
    "AutoNachUpdatesSuchen = 0",
    "Timeout = 5",
    "[Prozesse zum Beenden]",
)
INI_HEADING = ("; Kelvaro.ini: Einstellungen von Kelvaro und die Prozesse, die es bei jeder "
               "Aktualisierung beendet")

INI_LINES = (INI_HEADING + " (Beispiel für die Demo)",) + SETTINGS_LINES + ("0 = werbeblinker.exe",)
RELEASE_INI_LINES = (INI_HEADING,) + SETTINGS_LINES


class SourceError(Exception):
    pass


def parse_source(text, origin="demo_definitions.txt"):
    """Returns (local, server): lists of (verdict, name, [description lines])."""
    sections = {"local": [], "server": []}
    current = sections["local"]
    record = None
    for number, raw in enumerate(text.splitlines(), 1):
        where = f"{origin}:{number}"
        line = raw.rstrip()
        if not line or line.lstrip().startswith("#"):
            continue
        if line == "[server]":
            current = sections["server"]
            record = None
            continue
        if raw[0] in " \t":
            if record is None:
                raise SourceError(f"{where}: description line without a record")
            record[2].append(line.strip())
            continue
        head, _, name = line.partition(" ")
        name = name.strip()
        if not head.isdigit() or not name:
            raise SourceError(f"{where}: expected 'VERDICT NAME', got {line!r}")
        record = (int(head), name, [])
        current.append(record)
    local, server = sections["local"], sections["server"]
    check_records(local + server, origin)
    return local, server


def check_records(records, origin):
    seen = {}
    for verdict, name, lines in records:
        if not 0 <= verdict <= 4:
            raise SourceError(f"{origin}: {name}: verdict {verdict} is not 0 to 4")
        if not 1 <= len(lines) <= MAX_DESCRIPTION_LINES:
            raise SourceError(f"{origin}: {name}: {len(lines)} description lines, expected 1 to 3")
        for text in [name] + lines:
            if any(c in text for c in ("\r", "\n", "\0", SEPARATOR)):
                raise SourceError(f"{origin}: {name}: line break, zero or {SEPARATOR} in {text!r}")
            try:
                text.encode(ENCODING)
            except UnicodeEncodeError as e:
                raise SourceError(f"{origin}: {name}: not Windows-1252: {e}") from None
        key = name.upper()
        if key in seen:
            raise SourceError(f"{origin}: {name} defined twice")
        seen[key] = True


def encode_definitions(records):
    out = []
    for verdict, name, lines in records:
        out.append(str(verdict) + CRLF + name + CRLF + "".join(l + SEPARATOR for l in lines) + CRLF)
    return "".join(out).encode(ENCODING)


# Verdicts whose names are all made up, and the mark of a record about a Wine program.
MADE_UP_VERDICTS = (2, 3)
WINE_PROGRAM = "Wine:"


def release_records(records):
    """The records a Windows user starts with: real Windows processes only, without the
    description lines that speak of Wine."""
    chosen = []
    for verdict, name, lines in records:
        if verdict in MADE_UP_VERDICTS or lines[0].startswith(WINE_PROGRAM):
            continue
        windows_lines = [l for l in lines if "Wine" not in l]
        if windows_lines:
            chosen.append((verdict, name, windows_lines))
    return chosen


def build():
    """Returns {relative path: bytes} of every generated file."""
    with open(SOURCE, encoding="utf-8") as f:
        local, server = parse_source(f.read())
    served = local + server
    return {
        "res/demo/Kelvaro": encode_definitions(local),
        "res/demo/Kelvaro.ini": "".join(l + CRLF for l in INI_LINES).encode(ENCODING),
        "res/demo/update/Kelvaro/Kelvaro": encode_definitions(served),
        "res/release/Kelvaro": encode_definitions(release_records(served)),
        "res/release/Kelvaro.ini": "".join(l + CRLF for l in RELEASE_INI_LINES).encode(ENCODING),
    }


def main():
    try:
        files = build()
    except SourceError as e:
        sys.exit(f"make_demo_data.py: {e}")
    for rel, data in files.items():
        path = os.path.join(ROOT, rel)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)
        print(f"wrote {rel} ({len(data)} bytes)")


if __name__ == "__main__":
    main()
