#!/usr/bin/env python3
"""Writes the update folders that the update tests serve, with the publisher's tool, so
that every folder is what a publisher would put on the server. Run by the build.

    make_update_folders.py --out DIR --current EXE --served EXE

    current-1.5    version 1.5, 20 definitions, the program of this build
    release-1.6    version 1.6, 25 definitions (the last calls explorer.exe "Gefährlich"),
                   the stand-in for a newer program (kelvaro_main_served)
    other-key-1.6  the same, signed with a key the programs do not know
    replay-1.4     an older release: version 1.4, 20 definitions, the stand-in program
    release-1.8    version 1.8, 25 definitions, the stand-in program with the version
                   resource of 1.8
    installed-1.7  not a server folder: Kelvaro(x64).exe, the program of this build with the
                   version resource of 1.7, as a main program that updates have moved past
                   its updater
"""

import argparse
import os
import struct
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


def with_file_version(program, major, minor):
    """The program file with its fixed version information (file and product version)
    set to major.minor.0.0: what the updater reads of a program it is about to replace."""
    data = bytearray(program)
    # VS_FIXEDFILEINFO begins with its signature and structure version 1.0; the signature
    # alone also occurs in code that checks it.
    at = data.find(b"\xbd\x04\xef\xfe\x00\x00\x01\x00")
    if at < 0 or data.find(b"\xbd\x04\xef\xfe\x00\x00\x01\x00", at + 1) >= 0:
        raise publisher.PublishError("the program has not exactly one version resource")
    for field in (8, 16):  # dwFileVersionMS/LS, dwProductVersionMS/LS
        data[at + field:at + field + 8] = struct.pack("<II", major << 16 | minor, 0)
    return bytes(data)


def write_versioned(source, major, minor, path):
    with open(source, "rb") as f:
        program = f.read()
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(with_file_version(program, major, minor))
    return path


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
    try:
        served18 = write_versioned(args.served, 1, 8, os.path.join(args.out, "programs", "1.8.exe"))
        write_versioned(args.current, 1, 7, os.path.join(args.out, "installed-1.7", "Kelvaro(x64).exe"))
    except publisher.PublishError as e:
        print(f"make_update_folders.py: {e}", file=sys.stderr)
        return 1
    folders = [
        ("current-1.5", TEST_KEY, "1.5", "20", args.current),
        ("release-1.6", TEST_KEY, "1.6", "25", args.served),
        ("other-key-1.6", OTHER_KEY, "1.6", "25", args.served),
        ("replay-1.4", TEST_KEY, "1.4", "20", args.served),
        ("release-1.8", TEST_KEY, "1.8", "25", served18),
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
