#!/usr/bin/env python3
"""Writes the update folders that the update tests serve, with the publisher's tool, so
that every folder is what a publisher would put on the server. Run by the build.

    make_update_folders.py --out DIR --current EXE --served EXE

    current-1.5    version 1.5, 20 definitions, the program of this build
    release-1.6    version 1.6, 25 definitions (the last calls explorer.exe "Gefährlich"),
                   the stand-in for a newer program (kelvaro_main_served)
    other-key-1.6  the same, signed with a key the programs do not know
    replay-1.4     an older release: version 1.4, 20 definitions, the stand-in program
"""

import argparse
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, os.path.join(ROOT, "tools"))
import publish_update as publisher  # noqa: E402

TEST_KEY = os.path.join(ROOT, "tests", "keys", "update-test-only.pem")
OTHER_KEY = os.path.join(ROOT, "tests", "keys", "other-test-only.pem")


def definitions(count):
    """`count` definitions of made-up programs, verdict "Unnötig"."""
    return b"".join(b"1\r\nbeispiel%d.exe\r\nEin Beispiel\xb5\r\n" % i for i in range(1, count + 1))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--out", required=True)
    parser.add_argument("--current", required=True)
    parser.add_argument("--served", required=True)
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)
    sources = {
        "20": definitions(20),
        "25": definitions(24) + b"3\r\nexplorer.exe\r\nDer Desktop\xb5\r\n",
    }
    for name, data in sources.items():
        with open(os.path.join(args.out, f"definitions-{name}"), "wb") as f:
            f.write(data)
    folders = [
        ("current-1.5", TEST_KEY, "1.5", "20", args.current),
        ("release-1.6", TEST_KEY, "1.6", "25", args.served),
        ("other-key-1.6", OTHER_KEY, "1.6", "25", args.served),
        ("replay-1.4", TEST_KEY, "1.4", "20", args.served),
    ]
    try:
        for name, key, version, count, program in folders:
            publisher.publish(key, version, program, os.path.join(args.out, f"definitions-{count}"),
                              os.path.join(args.out, name))
    except publisher.PublishError as e:
        print(f"make_update_folders.py: {e}", file=sys.stderr)
        return 1
    with open(os.path.join(args.out, "made"), "w") as f:
        f.write("\n".join(name for name, *_ in folders) + "\n")
    return 0


if __name__ == "__main__":
    sys.exit(main())
