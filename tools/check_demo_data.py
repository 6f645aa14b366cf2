#!/usr/bin/env python3
"""Re-reads the demo data byte by byte and checks it.

    tools/check_demo_data.py

The definitions files are read the way the program reads them: lines end at CR LF, LF,
CR or a zero byte; records are three lines while the file is not at its end; line 1 goes
through the number reader, line 3 is cut at each 0xB5 byte and text after the last one
is dropped. On top of that the demo files must be clean: CR LF everywhere, verdicts 0 to
4 written as plain decimals, a name and one to three description lines per record, no
name twice, single-byte umlauts (no UTF-8), the served file a strict extension of the
local one that the publisher's tool (publish_update.py) takes with the same count, and the
settings file as the demo needs it; the release's starter definitions only real
processes of the demo, none about Wine, and its settings file the program's defaults
without the update check at start-up. Finally the files must be what make_demo_data.py
would write now. Prints the count per verdict; exits 1 on any failure.
"""

import os
import sys
from collections import Counter

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import make_demo_data  # noqa: E402
import publish_update  # noqa: E402

ROOT = make_demo_data.ROOT
LABELS = {0: "Systemprozess", 1: "Unnötig", 2: "Potentiell gefährlich", 3: "Gefährlich", 4: "Wichtig"}
MU = 0xB5


class LineReader:
    def __init__(self, data):
        self.data = data
        self.pos = 0

    def at_end(self):
        return self.pos >= len(self.data)

    def read_line(self):
        """One line without its end; past the end of the file an empty line."""
        d, start = self.data, self.pos
        while self.pos < len(d) and d[self.pos] not in (0x0D, 0x0A, 0x00):
            self.pos += 1
        line = d[start:self.pos]
        if self.pos < len(d):
            if d[self.pos] == 0x0D and self.pos + 1 < len(d) and d[self.pos + 1] == 0x0A:
                self.pos += 2
            else:
                self.pos += 1
        return line


def read_definitions(data):
    """Returns [(verdict, name bytes, [description field bytes], raw lines)]."""
    reader = LineReader(data)
    records = []
    while not reader.at_end():
        raw = [reader.read_line() for _ in range(3)]
        fields = raw[2].split(bytes((MU,)))[:-1]  # text after the last separator is dropped
        records.append((publish_update.read_number(raw[0])[0], raw[1], fields, raw))
    return records


def check_line_ends(data, what, problems):
    stripped = data.replace(b"\r\n", b"")
    for bad, name in ((b"\r", "a lone CR"), (b"\n", "a lone LF"), (b"\0", "a zero byte")):
        if bad in stripped:
            problems.append(f"{what}: contains {name}")
    if data and not data.endswith(b"\r\n"):
        problems.append(f"{what}: last line not ended by CR LF")


def check_encoding(data, what, problems):
    if data.startswith(b"\xef\xbb\xbf"):
        problems.append(f"{what}: starts with a UTF-8 byte-order mark")
    for lead in (0xC2, 0xC3):
        for i in range(len(data) - 1):
            if data[i] == lead and 0x80 <= data[i + 1] <= 0xBF:
                problems.append(f"{what}: UTF-8 sequence at byte {i}")
                return


def check_definitions(data, what, problems):
    check_line_ends(data, what, problems)
    check_encoding(data, what, problems)
    records = read_definitions(data)
    seen = set()
    for n, (verdict, name, fields, raw) in enumerate(records, 1):
        where = f"{what}: record {n} ({name.decode('cp1252', 'replace')})"
        if raw[0] != str(verdict).encode() or verdict not in LABELS:
            problems.append(f"{where}: verdict line {raw[0]!r} is not one of 0 to 4")
        if not name or name != name.strip():
            problems.append(f"{where}: empty name or blanks around it")
        if not 1 <= len(fields) <= 3 or not all(f.strip() for f in fields):
            problems.append(f"{where}: {len(fields)} description lines, expected 1 to 3 non-empty")
        if not raw[2].endswith(bytes((MU,))):
            problems.append(f"{where}: description does not end with 0xB5")
        key = name.upper()
        if key in seen:
            problems.append(f"{where}: name defined twice")
        seen.add(key)
    return records


def read_ini(ini, what, problems):
    """{group: {key: value}} of a settings file that must be clean: CR LF, Windows-1252,
    a comment first."""
    check_line_ends(ini, what, problems)
    check_encoding(ini, what, problems)
    ini_lines = ini.decode("cp1252").split("\r\n")[:-1]
    if not ini_lines or not ini_lines[0].startswith("; "):
        problems.append(f"{what}: first line is not a comment")
    groups, group = {}, None
    for line in ini_lines[1:]:
        if line.startswith("["):
            group = line[1:line.index("]")]
            groups[group] = {}
        elif group is not None and not line.startswith(";"):
            key, _, value = line.partition("=")
            groups[group][key.strip()] = value.strip()
    return groups


def main():
    problems = []
    paths = {rel: os.path.join(ROOT, rel) for rel in make_demo_data.build()}
    data = {}
    for rel, path in paths.items():
        try:
            with open(path, "rb") as f:
                data[rel] = f.read()
        except OSError as e:
            problems.append(f"{rel}: {e}")
    if problems:
        print("\n".join(problems))
        return 1

    local = check_definitions(data["res/demo/Kelvaro"], "res/demo/Kelvaro", problems)
    served = check_definitions(data["res/demo/update/Kelvaro/Kelvaro"],
                               "res/demo/update/Kelvaro/Kelvaro", problems)
    for umlaut in (b"\xe4", b"\xf6", b"\xfc", b"\xdf"):
        if umlaut not in data["res/demo/Kelvaro"]:
            problems.append(f"res/demo/Kelvaro: no single-byte {umlaut!r} at all")
    if not data["res/demo/update/Kelvaro/Kelvaro"].startswith(data["res/demo/Kelvaro"]):
        problems.append("served definitions do not begin with the local ones")
    if len(served) <= len(local):
        problems.append(f"served count {len(served)} not larger than local count {len(local)}")

    starter = check_definitions(data["res/release/Kelvaro"], "res/release/Kelvaro", problems)
    served_names = {r[1] for r in served}
    for verdict, name, lines, _ in starter:
        if verdict in make_demo_data.MADE_UP_VERDICTS or name not in served_names:
            problems.append(f"res/release/Kelvaro: {name!r} is made up or not in the demo")
        if any(b"Wine" in line for line in lines):
            problems.append(f"res/release/Kelvaro: {name!r} speaks of Wine")

    # scripts/run.sh publishes the served file; the tool must take it and count alike.
    try:
        published = publish_update.count_definitions(data["res/demo/update/Kelvaro/Kelvaro"])
        if published != len(served):
            problems.append(f"publish_update.py counts {published}, this check {len(served)}")
    except publish_update.PublishError as e:
        problems.append(f"res/demo/update/Kelvaro/Kelvaro: publish_update.py refuses it: {e}")

    groups = read_ini(data["res/demo/Kelvaro.ini"], "res/demo/Kelvaro.ini", problems)
    want = {"Autostart": "0", "Minimiert Starten": "0", "AutoAktualisieren": "1",
            "AutoNachUpdatesSuchen": "0", "Timeout": "5"}
    if groups.get("Einstellungen") != want:
        problems.append(f"Kelvaro.ini: [Einstellungen] is {groups.get('Einstellungen')}")
    if "Prozesse zum Beenden" not in groups or len(groups["Prozesse zum Beenden"]) > 1:
        problems.append("Kelvaro.ini: [Prozesse zum Beenden] missing or longer than one name")
    # The release starts with the program's own defaults (kSettingsDefaults) but no update
    # check at start-up, and no kill list.
    groups = read_ini(data["res/release/Kelvaro.ini"], "res/release/Kelvaro.ini", problems)
    want = {"Autostart": "0", "Minimiert Starten": "0", "AutoAktualisieren": "1",
            "AutoNachUpdatesSuchen": "0", "Timeout": "5"}
    if groups.get("Einstellungen") != want or groups.get("Prozesse zum Beenden") != {}:
        problems.append(f"res/release/Kelvaro.ini: not the defaults and an empty kill list: {groups}")

    try:
        fresh = make_demo_data.build()
    except make_demo_data.SourceError as e:
        problems.append(f"source: {e}")
        fresh = data
    for rel, content in fresh.items():
        if data[rel] != content:
            problems.append(f"{rel}: differs from what make_demo_data.py writes now")

    for what, records in (("res/demo/Kelvaro", local), ("res/demo/update/Kelvaro/Kelvaro", served),
                          ("res/release/Kelvaro", starter)):
        counts = Counter(r[0] for r in records)
        lines = Counter(len(r[2]) for r in records)
        print(f"{what}: {len(records)} definitions")
        for verdict in sorted(counts):
            print(f"  {verdict} {LABELS.get(verdict, '?'):22} {counts[verdict]:3}")
        print(f"  description lines per record: "
              + ", ".join(f"{k}: {lines[k]}" for k in sorted(lines)))
    if problems:
        print("FAIL")
        print("\n".join("  " + p for p in problems))
        return 1
    print("ok")
    return 0


if __name__ == "__main__":
    sys.exit(main())
