#!/usr/bin/env python3
"""The release test of the test command: builds the release twice and checks the result.

    tests/release/check_release.py

1. The release command (cmake --preset release; cmake --build --preset release) in this
   source tree, and again in a copy of the tree in another folder (build/repro/), both with
   the same SOURCE_DATE_EPOCH: the programs and the ZIP must be the same byte for byte.
2. The ZIP: entries, order, dates; the programs in it are the built ones; the starter files
   and LIESMICH.txt (Windows-1252, CR LF, version and "unsigned" filled in).
3. The programs read back with wrestool (icoutils): the version resource and the manifest
   carry CMake's project version, the manifest the execution level and the compatibility
   section; no time stamp in the PE header, no build folder anywhere in the bytes.
4. Signing with a throw-away self-made certificate: osslsigncode verify accepts each
   program, the signature covers exactly the built bytes, a changed byte fails it, and
   signing twice gives the same ZIP.
5. The update key: both release builds take one throw-away key made by the publisher's
   tool; configuring the release preset without a key, or with a test key of tests/keys/,
   fails with a message that says so.
Exits 1 on any failure and prints what failed.
"""

import io
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import zipfile

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
COPY = os.path.join(ROOT, "build", "repro", "kelvaro")
PROGRAMS = ("Kelvaro(x64).exe", "KelvaroUpdate.exe")
SUPPORTED_OS = {
    "Windows 7": "35138b9a-5d96-4fbd-8e2d-a2440225f93a",
    "Windows 8": "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38",
    "Windows 8.1": "1f676c76-80e1-4239-95bb-83d0f6d0da78",
    "Windows 10 and 11": "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a",
}

failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
    return condition


def run(command, cwd=ROOT, env=None):
    result = subprocess.run(command, cwd=cwd, env=env, capture_output=True, text=True)
    if result.returncode != 0:
        sys.stdout.write(result.stdout + result.stderr)
        raise SystemExit(f"FAILED: {' '.join(command)} (in {cwd})")
    return result.stdout


def build_release(source, env, update_key):
    run(["cmake", "--preset", "release", f"-DKELVARO_UPDATE_KEYS={update_key}"], cwd=source,
        env=env)
    print(run(["cmake", "--build", "--preset", "release"], cwd=source, env=env).strip()
          .splitlines()[-1])
    return os.path.join(source, "build", "release")


def copy_source_tree(target):
    """The files git knows or would take (committed, changed and new), without build/."""
    if os.path.exists(target):
        shutil.rmtree(target)
    names = run(["git", "ls-files", "-z", "--cached", "--others", "--exclude-standard"])
    for name in filter(None, names.split("\0")):
        source = os.path.join(ROOT, name)
        if not os.path.isfile(source):
            continue  # deleted in the working tree
        os.makedirs(os.path.dirname(os.path.join(target, name)), exist_ok=True)
        shutil.copy2(source, os.path.join(target, name))


def project_version(build):
    with open(os.path.join(build, "CMakeCache.txt")) as f:
        match = re.search(r"^CMAKE_PROJECT_VERSION:STATIC=(\d+)\.(\d+)$", f.read(), re.M)
    return int(match.group(1)), int(match.group(2))


def read(path):
    with open(path, "rb") as f:
        return f.read()


def wrestool(path, resource_type):
    return subprocess.run(["wrestool", "-x", "--raw", "-t", resource_type, path],
                          capture_output=True, check=True).stdout


def version_strings(resource):
    """VS_FIXEDFILEINFO file and product versions and the strings of the version resource."""
    signature = struct.pack("<I", 0xFEEF04BD)
    fixed = resource.index(signature)
    file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<4I", resource, fixed + 8)
    strings = {}
    # String entries: wLength, wValueLength, wType=1, key (UTF-16, 0-ended), padding, value.
    for match in re.finditer(rb"((?:[\x20-\x7e]\x00)+)\x00\x00", resource):
        key = match.group(1).decode("utf-16-le")
        start = match.end() + (-(match.end()) % 4)
        header = match.start() - 6
        if header < 0:
            continue
        length, value_length, kind = struct.unpack_from("<3H", resource, header)
        if kind == 1 and value_length > 0 and key not in strings:
            value = resource[start:start + 2 * value_length].decode("utf-16-le").rstrip("\0")
            strings[key] = value
    return (file_ms, file_ls, product_ms, product_ls), strings


def pe_time_stamp(program):
    header = struct.unpack_from("<I", program, 0x3C)[0]
    return struct.unpack_from("<I", program, header + 8)[0]


def check_program(name, program, version, build_folders):
    major, minor = version
    quad = f"{major}.{minor}.0.0"
    with tempfile.NamedTemporaryFile(suffix=".exe") as f:
        f.write(program)
        f.flush()
        fixed, strings = version_strings(wrestool(f.name, "16"))
        manifest = wrestool(f.name, "24").decode("utf-8")
    check(fixed == ((major << 16) | minor, 0, (major << 16) | minor, 0),
          f"{name}: fixed version {fixed}, expected {quad}")
    for key, want in (("FileVersion", quad), ("ProductVersion", quad), ("ProductName", "Kelvaro"),
                      ("OriginalFilename", name)):
        check(strings.get(key) == want, f"{name}: {key} is {strings.get(key)!r}, expected {want!r}")
    check(strings.get("FileDescription", "").startswith("Kelvaro \u2013 "),
          f"{name}: FileDescription {strings.get('FileDescription')!r}")
    check(f'name="Kelvaro" version="{quad}"' in manifest, f"{name}: manifest version is not {quad}")
    check('<requestedExecutionLevel level="asInvoker" uiAccess="false"/>' in manifest,
          f"{name}: manifest without execution level asInvoker")
    check('name="Microsoft.Windows.Common-Controls" version="6.0.0.0"' in manifest,
          f"{name}: manifest without common controls 6")
    for windows, guid in SUPPORTED_OS.items():
        check(f'<supportedOS Id="{{{guid}}}"/>' in manifest, f"{name}: {windows} not supported")
    check(pe_time_stamp(program) == 0, f"{name}: PE header time stamp {pe_time_stamp(program)}")
    for folder in build_folders:
        check(folder.encode() not in program, f"{name}: holds the build path {folder}")


def check_zip(zip_bytes, build, version):
    major, minor = version
    with zipfile.ZipFile(io.BytesIO(zip_bytes)) as archive:
        infos = archive.infolist()
        names = [i.filename for i in infos]
        check(names == list(PROGRAMS) + ["Kelvaro", "Kelvaro.ini", "LIESMICH.txt"],
              f"ZIP entries {names}")
        check(len({i.date_time for i in infos}) == 1, "ZIP entries carry different times")
        for name in PROGRAMS:
            check(archive.read(name) == read(os.path.join(build, "bin", name)),
                  f"ZIP: {name} is not the built program")
        for name in ("Kelvaro", "Kelvaro.ini"):
            check(archive.read(name) == read(os.path.join(ROOT, "res", "release", name)),
                  f"ZIP: {name} is not res/release/{name}")
        readme = archive.read("LIESMICH.txt")
        text = readme.decode("cp1252")
        check(b"\r\n" in readme and b"\n" not in readme.replace(b"\r\n", b""),
              "LIESMICH.txt: not CR LF throughout")
        check(text.startswith(f"Kelvaro {major}.{minor}\r\n"), "LIESMICH.txt: no version on top")
        check("nicht signiert" in text and "{" not in text and "\r\n#" not in text,
              "LIESMICH.txt: not filled in as an unsigned release")
        return {name: archive.read(name) for name in PROGRAMS}


def signing_test(build, work, version, env):
    """Signs with a throw-away certificate through the release packer and checks it."""
    key, cert = os.path.join(work, "key.pem"), os.path.join(work, "cert.pem")
    run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2",
         "-subj", "/CN=Kelvaro Wegwerf-Testzertifikat", "-addext", "extendedKeyUsage=codeSigning",
         "-keyout", key, "-out", cert])
    zips = []
    for n in (1, 2):
        out = os.path.join(work, f"signed-{n}.zip")
        run([sys.executable, os.path.join(ROOT, "tools", "package_release.py"),
             "--version", "%d.%d" % version, "--main", os.path.join(build, "bin", PROGRAMS[0]),
             "--updater", os.path.join(build, "bin", PROGRAMS[1]), "--out", out,
             "--work", os.path.join(work, f"sign-{n}"), "--cert", cert, "--key", key], env=env)
        zips.append(read(out))
    check(zips[0] == zips[1], "two signed packings of the same programs differ")
    with zipfile.ZipFile(io.BytesIO(zips[0])) as archive:
        readme = archive.read("LIESMICH.txt").decode("cp1252")
        check("Authenticode-Signatur" in readme and "nicht signiert" not in readme,
              "LIESMICH.txt of a signed release does not say it is signed")
        for name in PROGRAMS:
            signed_path = os.path.join(work, "signed-" + name)
            with open(signed_path, "wb") as f:
                f.write(archive.read(name))
            verify = subprocess.run(["osslsigncode", "verify", "-CAfile", cert, "-in", signed_path],
                                    capture_output=True, text=True)
            check(verify.returncode == 0 and "Signature verification: ok" in verify.stdout,
                  f"{name}: osslsigncode verify failed:\n{verify.stdout}{verify.stderr}")
            check_signed_bytes(name, signed_path, os.path.join(build, "bin", name), work, cert)


def check_signed_bytes(name, signed_path, built_path, work, cert):
    """The signature covers the built program: taking it off gives the built bytes (the PE
    checksum aside, which signing sets), and one changed byte makes verify fail."""
    stripped = os.path.join(work, "unsigned-" + name)
    if os.path.exists(stripped):
        os.remove(stripped)
    run(["osslsigncode", "remove-signature", "-in", signed_path, "-out", stripped])
    built, unsigned = bytearray(read(built_path)), bytearray(read(stripped))
    checksum = struct.unpack_from("<I", built, 0x3C)[0] + 24 + 64
    built[checksum:checksum + 4] = unsigned[checksum:checksum + 4] = b"\0\0\0\0"
    check(built == unsigned, f"{name}: the signed program is not the built one")
    tampered = bytearray(read(signed_path))
    tampered[0x400] ^= 0x01  # inside the first section
    tampered_path = os.path.join(work, "tampered-" + name)
    with open(tampered_path, "wb") as f:
        f.write(tampered)
    verify = subprocess.run(["osslsigncode", "verify", "-CAfile", cert, "-in", tampered_path],
                            capture_output=True, text=True)
    check(verify.returncode != 0, f"{name}: a changed byte still verifies")


def throw_away_update_key(work):
    """The KELVARO_UPDATE_KEYS entry of a new key that only this test knows."""
    return run([sys.executable, os.path.join(ROOT, "tools", "publish_update.py"), "keygen",
                os.path.join(work, "update.pem")]).strip()


def update_key_test(work, env):
    """The release preset refuses to configure without the publisher's key or with a key
    whose private half is in the repository."""
    with open(os.path.join(ROOT, "tests", "keys", "update-test-only.pub")) as f:
        test_key = f.read().strip()
    for name, extra, message in (("no key", [], "KELVARO_UPDATE_KEYS is empty"),
                                 ("the test key", [f"-DKELVARO_UPDATE_KEYS={test_key}"],
                                  "holds the test key")):
        result = subprocess.run(["cmake", "--preset", "release", "-B",
                                 os.path.join(work, name.replace(" ", "-"))] + extra,
                                cwd=ROOT, env=env, capture_output=True, text=True)
        output = " ".join((result.stdout + result.stderr).split())
        check(result.returncode != 0 and message in output,
              f"configuring the release with {name} did not fail with '{message}'")


def main():
    epoch = run(["git", "log", "-1", "--format=%ct"]).strip()
    env = dict(os.environ, SOURCE_DATE_EPOCH=epoch)
    env.pop("KELVARO_SIGN_CERT", None)
    env.pop("KELVARO_SIGN_KEY", None)
    with tempfile.TemporaryDirectory() as work:
        update_key_test(work, env)
        update_key = throw_away_update_key(work)
    first = build_release(ROOT, env, update_key)
    version = project_version(first)
    zip_name = "Kelvaro-%d.%d-win64.zip" % version
    copy_source_tree(COPY)
    second = build_release(COPY, env, update_key)

    for name in PROGRAMS + (zip_name,):
        where = "bin" if name.endswith(".exe") else ""
        a, b = read(os.path.join(first, where, name)), read(os.path.join(second, where, name))
        check(a == b, f"{name} differs between {first} and {second}")
    programs = check_zip(read(os.path.join(first, zip_name)), first, version)
    for name, program in programs.items():
        check_program(name, program, version, [ROOT, COPY])
        print(f"{name}: {len(program)} bytes")
    with tempfile.TemporaryDirectory() as work:
        signing_test(first, work, version, env)

    if failures:
        print("FAILED:\n" + "\n".join("  " + f for f in failures))
        return 1
    print(f"{zip_name}: {os.path.getsize(os.path.join(first, zip_name))} bytes, the same from "
          "both folders; resources, manifest and signing checked: ok")
    return 0


if __name__ == "__main__":
    sys.exit(main())
