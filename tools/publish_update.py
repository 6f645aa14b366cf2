#!/usr/bin/env python3
"""The publisher's tool: makes update keys and writes the update folder.

    tools/publish_update.py keygen KEYFILE
    tools/publish_update.py publish --key KEYFILE --version 1.6 --program EXE \\
                                    --definitions FILE --out DIR

keygen writes a new ECDSA P-256 private key (PEM, as the openssl command writes one) and
prints its entry for the CMake variable KELVARO_UPDATE_KEYS ("id:hex", the id taken from
the key itself). publish takes any PEM P-256 private key and writes the four files of the
update folder: KelvaroUpdate (the definitions count as the program will count the
definitions file, and the version), Kelvaro, Kelvaro(x64).exe and the signed manifest
KelvaroUpdate.sig; then it reads its own output back and checks it.

Python 3 and the openssl command only; the signature is made and checked by openssl.
"""

import argparse
import hashlib
import os
import re
import subprocess
import sys
import tempfile

INFO_NAME = "KelvaroUpdate"
MANIFEST_NAME = "KelvaroUpdate.sig"
DEFINITIONS_NAME = "Kelvaro"
PROGRAM_NAME = "Kelvaro(x64).exe"

FORMAT_LINE = b"KelvaroUpdate-Signatur 1"
MANIFEST_LIMIT = 8192
LINE_LIMIT = 256
INT32_MAX = 2**31 - 1
VERSION_PATTERN = re.compile(r"^(0|[1-9][0-9]{0,8})\.(0|[1-9][0-9]{0,8})$")
VERSION_BYTES_PATTERN = re.compile(VERSION_PATTERN.pattern.encode())
KEY_ID_PATTERN = re.compile(rb"^[A-Za-z0-9._-]{1,32}$")
# Printable ASCII without blanks and without the characters Windows refuses in file names.
FILE_NAME_PATTERN = re.compile(rb"^[!#-)+-.0-9;=@-\[\]-{}~]{1,100}$")
NUMBER_PATTERN = re.compile(rb"^(0|[1-9][0-9]{0,9})$")
HEX_PATTERN = re.compile(rb"^[0-9a-f]*$")

# The DER head of a SubjectPublicKeyInfo of an uncompressed P-256 point; the point's X and
# Y follow it.
P256_PUBLIC_DER_HEAD = bytes.fromhex(
    "3059301306072a8648ce3d020106082a8648ce3d030107034200" + "04")

# What "µ" is in Windows-1252: it ends each line of a description.
DESCRIPTION_END = 0xB5


class PublishError(Exception):
    pass


# ---- openssl ----------------------------------------------------------------------------

def openssl(*args, data=None):
    try:
        done = subprocess.run(["openssl", *args], input=data, capture_output=True, check=False)
    except FileNotFoundError:
        raise PublishError("the openssl command is not installed") from None
    if done.returncode != 0:
        raise PublishError(f"openssl {args[0]} failed: {done.stderr.decode(errors='replace').strip()}")
    return done.stdout


def public_point(key_file):
    """The 64 bytes X || Y of the key's public point; refuses keys of other curves."""
    der = openssl("pkey", "-in", key_file, "-pubout", "-outform", "DER")
    if len(der) != len(P256_PUBLIC_DER_HEAD) + 64 or not der.startswith(P256_PUBLIC_DER_HEAD):
        raise PublishError(f"{key_file}: not an ECDSA P-256 (prime256v1) key")
    return der[len(P256_PUBLIC_DER_HEAD):]


def key_id(point):
    """The id of a key: the first 16 hex digits of the SHA-256 of its public point."""
    return hashlib.sha256(point).hexdigest()[:16]


def key_entry(point):
    return f"{key_id(point)}:{point.hex()}"


def der_length(der, at):
    """(length, position after the length bytes) of the DER element whose length is at `at`."""
    first = der[at]
    if first < 0x80:
        return first, at + 1
    count = first & 0x7F
    if count == 0 or count > 2 or at + 1 + count > len(der):
        raise PublishError("openssl wrote a signature that is no DER sequence")
    return int.from_bytes(der[at + 1:at + 1 + count], "big"), at + 1 + count


def raw_signature(der):
    """r || s, 32 bytes each, big-endian, from DER SEQUENCE { INTEGER r, INTEGER s }."""
    if len(der) < 8 or der[0] != 0x30:
        raise PublishError("openssl wrote a signature that is no DER sequence")
    length, at = der_length(der, 1)
    if at + length != len(der):
        raise PublishError("openssl wrote a signature of the wrong length")
    parts = []
    for _ in range(2):
        if at >= len(der) or der[at] != 0x02:
            raise PublishError("openssl wrote a signature without two integers")
        size, at = der_length(der, at + 1)
        value = int.from_bytes(der[at:at + size], "big")
        if size == 0 or value >= 2**256:
            raise PublishError("openssl wrote a signature integer of the wrong size")
        parts.append(value.to_bytes(32, "big"))
        at += size
    if at != len(der):
        raise PublishError("openssl wrote bytes after the signature")
    return parts[0] + parts[1]


def der_integer(value):
    body = value.to_bytes(32, "big").lstrip(b"\0") or b"\0"
    if body[0] & 0x80:
        body = b"\0" + body
    return bytes((0x02, len(body))) + body


def der_signature(raw):
    body = der_integer(int.from_bytes(raw[:32], "big")) + der_integer(int.from_bytes(raw[32:], "big"))
    return bytes((0x30, len(body))) + body


def sign(key_file, data):
    return raw_signature(openssl("dgst", "-sha256", "-sign", key_file, data=data))


def verify_with_openssl(key_file, data, raw):
    """Checks r || s over `data` against the public half of `key_file` with openssl."""
    with tempfile.TemporaryDirectory() as folder:
        public = os.path.join(folder, "public.pem")
        signature = os.path.join(folder, "signature.der")
        with open(public, "wb") as f:
            f.write(openssl("pkey", "-in", key_file, "-pubout"))
        with open(signature, "wb") as f:
            f.write(der_signature(raw))
        openssl("dgst", "-sha256", "-verify", public, "-signature", signature, data=data)


# ---- the definitions file, read as the program reads it ---------------------------------

def read_number(line):
    """The program's number reader: blanks and tabs, a sign, then decimal, $hex or %binary
    digits. Returns (value, bytes used)."""
    i = 0
    while i < len(line) and line[i] in b" \t":
        i += 1
    sign = 1
    if i < len(line) and line[i] in b"+-":
        sign = -1 if line[i] == ord("-") else 1
        i += 1
    base, digits = 10, b"0123456789"
    if i < len(line) and line[i] in b"$%":
        base, digits = (16, b"0123456789abcdefABCDEF") if line[i] == ord("$") else (2, b"01")
        i += 1
    value = 0
    while i < len(line) and line[i] in digits:
        value = min(value * base + int(chr(line[i]), 16), 2**32)
        i += 1
    return max(min(sign * value, INT32_MAX), -2**31), i


def program_lines(data):
    """The lines as the program splits them: a line ends at CR LF, LF, CR or a zero byte."""
    lines, at = [], 0
    while at < len(data):
        end = at
        while end < len(data) and data[end] not in (0x0D, 0x0A, 0x00):
            end += 1
        lines.append(data[at:end])
        at = end + (2 if data[end:end + 2] == b"\r\n" else 1)
    return lines


def upper_cp1252(name):
    """The program's upper-casing of Windows-1252 bytes (ß and µ stay as they are)."""
    table = {0x9A: 0x8A, 0x9C: 0x8C, 0x9E: 0x8E, 0xFF: 0x9F}
    out = bytearray()
    for byte in name:
        if 0x61 <= byte <= 0x7A or (0xE0 <= byte <= 0xFE and byte != 0xF7):
            byte -= 0x20
        out.append(table.get(byte, byte))
    return bytes(out)


def check_record(lines, first, seen):
    """Refuses a record of three lines (starting at 1-based line `first`) that would not
    load as its author meant."""
    verdict_line, name, description = lines
    value, used = read_number(verdict_line)
    if not verdict_line.strip(b" \t"):
        raise PublishError(f"line {first}: empty verdict line (a record out of step?)")
    if used != len(verdict_line):
        raise PublishError(f"line {first}: text after the verdict number: {verdict_line!r}")
    if not 0 <= value <= 4:
        raise PublishError(f"line {first}: verdict {value} is not one of 0 to 4")
    if not name:
        raise PublishError(f"line {first + 1}: empty name")
    if name != name.strip(b" \t"):
        raise PublishError(f"line {first + 1}: blanks around the name {name!r}")
    if not description.endswith(bytes((DESCRIPTION_END,))) and description:
        raise PublishError(f"line {first + 2}: text after the last \u00b5 would be dropped")
    key = upper_cp1252(name)
    if key in seen:
        raise PublishError(f"line {first + 1}: {name!r} is defined again (first on line {seen[key]})")
    seen[key] = first + 1


def count_definitions(data):
    """The number of definitions the program will load from `data`; refuses a file that
    would not load as meant, naming the line."""
    if data.startswith(b"\xef\xbb\xbf"):
        raise PublishError("line 1: begins with a byte-order mark (the file must be Windows-1252)")
    lines = program_lines(data)
    if not lines:
        raise PublishError("the definitions file holds no definitions")
    # Whole records first: a record out of step shows at its own line.
    seen = {}
    whole = len(lines) - len(lines) % 3
    for at in range(0, whole, 3):
        check_record(lines[at:at + 3], at + 1, seen)
    if whole != len(lines):
        raise PublishError(f"line {len(lines)}: a lone last line; the file ends inside a record")
    return len(lines) // 3


# ---- the manifest -----------------------------------------------------------------------

def manifest_body(identity, version, count, files):
    """Every line of the manifest before the signature line. `files`: [(name, bytes)]."""
    lines = [FORMAT_LINE, b"key " + identity.encode(), b"version " + version.encode(),
             b"definitions " + str(count).encode()]
    for name, data in files:
        lines.append(b"file %s %d %s" % (name.encode(), len(data),
                                          hashlib.sha256(data).hexdigest().encode()))
    return b"".join(line + b"\r\n" for line in lines)


def split_manifest(data):
    """The manifest's lines; refuses what the programs refuse before reading the fields."""
    if len(data) > MANIFEST_LIMIT:
        raise PublishError(f"manifest of {len(data)} bytes, more than {MANIFEST_LIMIT}")
    if not data.endswith(b"\r\n"):
        raise PublishError("manifest does not end with CR LF")
    lines = data[:-2].split(b"\r\n")
    for number, line in enumerate(lines, 1):
        if b"\r" in line or b"\n" in line or len(line) > LINE_LIMIT:
            raise PublishError(f"manifest line {number}: a lone CR or LF, or too long")
    return lines


def parse_manifest(data):
    """{'key', 'version', 'definitions', 'files': {name: (size, sha256 hex)}, 'signed',
    'signature'} of a manifest laid out as the programs require."""
    lines = split_manifest(data)
    if len(lines) < 6 or lines[0] != FORMAT_LINE:
        raise PublishError("manifest: unknown format or lines missing")
    fields = [line.split(b" ") for line in lines]

    def field(number, name, pattern):
        words = fields[number]
        if len(words) != 2 or words[0] != name or not pattern.fullmatch(words[1]):
            raise PublishError(f"manifest line {number + 1}: expected '{name.decode()} ...'")
        return words[1]

    result = {"key": field(1, b"key", KEY_ID_PATTERN).decode(),
              "version": field(2, b"version", VERSION_BYTES_PATTERN).decode(),
              "definitions": int(field(3, b"definitions", NUMBER_PATTERN)), "files": {}}
    for number in range(4, len(lines) - 1):
        words = fields[number]
        if (len(words) != 4 or words[0] != b"file" or not FILE_NAME_PATTERN.fullmatch(words[1])
                or words[1] in (b".", b"..") or not NUMBER_PATTERN.fullmatch(words[2])
                or int(words[2]) == 0 or int(words[2]) > INT32_MAX or len(words[3]) != 64
                or not HEX_PATTERN.fullmatch(words[3]) or words[1] in result["files"]):
            raise PublishError(f"manifest line {number + 1}: not a file line")
        result["files"][words[1].decode()] = (int(words[2]), words[3].decode())
    signature = field(len(lines) - 1, b"signature", HEX_PATTERN)
    if len(signature) != 128 or result["definitions"] > INT32_MAX:
        raise PublishError("manifest: the signature is not 64 bytes, or a number is too large")
    result["signed"] = data[:data.rindex(b"signature ")]
    result["signature"] = bytes.fromhex(signature.decode())
    return result


# ---- publish ----------------------------------------------------------------------------

def read_file(path, what):
    try:
        with open(path, "rb") as f:
            return f.read()
    except OSError as e:
        raise PublishError(f"{what} {path}: {e.strerror}") from None


def check_output(out, key_file, point, version, count):
    """Reads the written folder back as the programs will, and checks the signature."""
    manifest = parse_manifest(read_file(os.path.join(out, MANIFEST_NAME), "manifest"))
    verify_with_openssl(key_file, manifest["signed"], manifest["signature"])
    info = read_file(os.path.join(out, INFO_NAME), "update information")
    info_lines = program_lines(info) + [b"", b""]
    if (manifest["key"] != key_id(point) or manifest["version"] != version
            or manifest["definitions"] != count or read_number(info_lines[0])[0] != count
            or info_lines[1] != version.encode()):
        raise PublishError("the written folder does not agree with itself")
    for name in (PROGRAM_NAME, DEFINITIONS_NAME):
        data = read_file(os.path.join(out, name), "written")
        size, digest = manifest["files"][name]
        if size != len(data) or digest != hashlib.sha256(data).hexdigest():
            raise PublishError(f"{name} in {out} does not match its manifest line")


def publish(key_file, version, program_file, definitions_file, out):
    if not VERSION_PATTERN.fullmatch(version):
        raise PublishError(f"version {version!r}: expected a major and a minor number, as 1.6")
    point = public_point(key_file)
    program = read_file(program_file, "program")
    if not program.startswith(b"MZ") or len(program) > INT32_MAX:
        raise PublishError(f"program {program_file}: not a Windows program file")
    definitions = read_file(definitions_file, "definitions file")
    try:
        count = count_definitions(definitions)
    except PublishError as e:
        raise PublishError(f"{definitions_file}: {e}") from None
    files = [(PROGRAM_NAME, program), (DEFINITIONS_NAME, definitions)]
    body = manifest_body(key_id(point), version, count, files)
    manifest = body + b"signature " + sign(key_file, body).hex().encode() + b"\r\n"
    os.makedirs(out, exist_ok=True)
    written = files + [(INFO_NAME, f"{count}\r\n{version}\r\n".encode()), (MANIFEST_NAME, manifest)]
    for name, data in written:
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)
    check_output(out, key_file, point, version, count)
    return count


def keygen(key_file):
    if os.path.exists(key_file):
        raise PublishError(f"{key_file} exists; a key is never overwritten")
    openssl("ecparam", "-name", "prime256v1", "-genkey", "-noout", "-out", key_file)
    os.chmod(key_file, 0o600)
    return key_entry(public_point(key_file))


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    commands = parser.add_subparsers(dest="command", required=True)
    make = commands.add_parser("keygen", help="write a new P-256 private key, print its entry")
    make.add_argument("keyfile")
    write = commands.add_parser("publish", help="write and check the four files of an update folder")
    write.add_argument("--key", required=True)
    write.add_argument("--version", required=True)
    write.add_argument("--program", required=True)
    write.add_argument("--definitions", required=True)
    write.add_argument("--out", required=True)
    args = parser.parse_args(argv)
    try:
        if args.command == "keygen":
            print(keygen(args.keyfile))
        else:
            count = publish(args.key, args.version, args.program, args.definitions, args.out)
            print(f"{args.out}: version {args.version}, {count} definitions, signed by "
                  f"{key_id(public_point(args.key))}")
    except PublishError as e:
        print(f"publish_update.py: {e}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
