#!/usr/bin/env python3
"""Packs the release ZIP of the two programs.

    tools/package_release.py --version 1.5 --main "Kelvaro(x64).exe" \\
        --updater KelvaroUpdate.exe --out Kelvaro-1.5-win64.zip --work FOLDER \\
        [--cert CERT.pem --key KEY.pem]

The ZIP holds, in this order: Kelvaro(x64).exe, KelvaroUpdate.exe, the starter files
Kelvaro and Kelvaro.ini (res/release/) and LIESMICH.txt (res/release/LIESMICH.txt as
Windows-1252 with CR LF). With a code-signing certificate and key (the options, or the
environment variables KELVARO_SIGN_CERT and KELVARO_SIGN_KEY) both programs are signed
with osslsigncode first; without them the release is unsigned and says so.

The same inputs give the same ZIP byte for byte: fixed order, every entry dated
SOURCE_DATE_EPOCH (else the time of the last commit, else 1980-01-01), no owner or
permission bits of the build machine, and a signature dated the same time.
"""

import argparse
import os
import subprocess
import sys
import time
import zipfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
RELEASE_FILES = os.path.join(ROOT, "res", "release")
ZIP_EPOCH = 315532800  # 1980-01-01 00:00 UTC, the earliest time a ZIP entry can carry
MAIN_NAME = "Kelvaro(x64).exe"
UPDATER_NAME = "KelvaroUpdate.exe"

UNSIGNED_TEXT = (
    "Diese Ausgabe ist nicht signiert. Windows kann beim ersten Start warnen, dass der\n"
    "Herausgeber unbekannt ist (\"Weitere Informationen\", dann \"Trotzdem ausführen\")."
)
SIGNED_TEXT = (
    "Beide Programme tragen eine Authenticode-Signatur des Herausgebers. Windows zeigt sie\n"
    "in den Eigenschaften der Datei unter \"Digitale Signaturen\"; sie belegt, dass die\n"
    "Datei seit dem Signieren nicht verändert wurde."
)


class ReleaseError(Exception):
    pass


def source_date_epoch():
    """SOURCE_DATE_EPOCH, else the commit time of the source tree's HEAD, else 1980."""
    value = os.environ.get("SOURCE_DATE_EPOCH", "").strip()
    if value:
        if not value.isdigit():
            raise ReleaseError(f"SOURCE_DATE_EPOCH is not a number of seconds: {value!r}")
        return max(int(value), ZIP_EPOCH)
    try:
        out = subprocess.run(["git", "-C", ROOT, "log", "-1", "--format=%ct"],
                             capture_output=True, text=True, check=True).stdout.strip()
        return max(int(out), ZIP_EPOCH)
    except (OSError, subprocess.CalledProcessError, ValueError):
        return ZIP_EPOCH


def readme_bytes(version, signed):
    with open(os.path.join(RELEASE_FILES, "LIESMICH.txt"), encoding="utf-8") as f:
        lines = [l.rstrip("\n") for l in f if not l.startswith("#")]
    text = "\n".join(lines).strip("\n") + "\n"
    text = text.replace("{VERSION}", version)
    text = text.replace("{SIGNATURE}", SIGNED_TEXT if signed else UNSIGNED_TEXT)
    return text.replace("\n", "\r\n").encode("cp1252")


def read(path):
    with open(path, "rb") as f:
        return f.read()


def sign(program, cert, key, epoch, work):
    """The program's bytes signed with osslsigncode (SHA-256, signing time = epoch)."""
    name = os.path.basename(program)
    signed = os.path.join(work, name + ".signed")
    if os.path.exists(signed):
        os.remove(signed)
    command = ["osslsigncode", "sign", "-certs", cert, "-key", key, "-h", "sha256",
               "-n", "Kelvaro", "-time", str(epoch), "-in", program, "-out", signed]
    result = subprocess.run(command, capture_output=True, text=True)
    if result.returncode != 0:
        raise ReleaseError(f"osslsigncode could not sign {name}:\n{result.stdout}{result.stderr}")
    return read(signed)


def write_zip(path, entries, epoch):
    """entries: [(name, bytes)] in ZIP order. Entries carry the epoch as UTC, and MS-DOS
    as the system that made them, so no file mode of the build machine gets in."""
    stamp = time.gmtime(epoch)[:6]
    temporary = path + ".part"
    with zipfile.ZipFile(temporary, "w") as archive:
        for name, data in entries:
            info = zipfile.ZipInfo(name, date_time=stamp)
            info.create_system = 0
            info.external_attr = 0
            info.compress_type = zipfile.ZIP_DEFLATED
            archive.writestr(info, data, compresslevel=9)
    os.replace(temporary, path)


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--version", required=True)
    parser.add_argument("--main", required=True, help="the built Kelvaro(x64).exe")
    parser.add_argument("--updater", required=True, help="the built KelvaroUpdate.exe")
    parser.add_argument("--out", required=True, help="the ZIP to write")
    parser.add_argument("--work", required=True, help="a folder for the signed copies")
    parser.add_argument("--cert", default=os.environ.get("KELVARO_SIGN_CERT", ""))
    parser.add_argument("--key", default=os.environ.get("KELVARO_SIGN_KEY", ""))
    args = parser.parse_args(argv)
    try:
        if bool(args.cert) != bool(args.key):
            raise ReleaseError("signing needs both a certificate and a key")
        epoch = source_date_epoch()
        os.makedirs(args.work, exist_ok=True)
        signed = bool(args.cert)
        programs = []
        for path, name in ((args.main, MAIN_NAME), (args.updater, UPDATER_NAME)):
            data = sign(path, args.cert, args.key, epoch, args.work) if signed else read(path)
            programs.append((name, data))
        entries = programs + [
            ("Kelvaro", read(os.path.join(RELEASE_FILES, "Kelvaro"))),
            ("Kelvaro.ini", read(os.path.join(RELEASE_FILES, "Kelvaro.ini"))),
            ("LIESMICH.txt", readme_bytes(args.version, signed)),
        ]
        write_zip(args.out, entries, epoch)
    except (OSError, ReleaseError) as e:
        print(f"package_release.py: {e}", file=sys.stderr)
        return 1
    print(f"Wrote {args.out} ({os.path.getsize(args.out)} bytes), entries dated "
          f"{time.strftime('%Y-%m-%d %H:%M:%S UTC', time.gmtime(epoch))}")
    for name, data in programs:
        print(f"  {name}: {len(data)} bytes")
    print("  signed with " + args.cert if signed else
          "  unsigned: no code-signing certificate given (KELVARO_SIGN_CERT, KELVARO_SIGN_KEY)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
