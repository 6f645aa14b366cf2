#!/usr/bin/env python3
"""Tests of tools/publish_update.py: keys, the update folder it writes, and the
definitions files it refuses. Needs the openssl command.

    python3 -m unittest discover -s tools -p 'test_*.py'
"""

import hashlib
import os
import re
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import publish_update as tool  # noqa: E402

MU = b"\xb5"
PROGRAM = b"MZ\x90\x00 ein Programm"


def record(verdict, name, *lines):
    return b"%s\r\n%s\r\n%s\r\n" % (verdict, name, b"".join(line + MU for line in lines))


class Folder(unittest.TestCase):
    def setUp(self):
        self.temp = tempfile.TemporaryDirectory()
        self.dir = self.temp.name

    def tearDown(self):
        self.temp.cleanup()

    def path(self, name):
        return os.path.join(self.dir, name)

    def write(self, name, data):
        with open(self.path(name), "wb") as f:
            f.write(data)
        return self.path(name)

    def read(self, *parts):
        with open(os.path.join(self.dir, *parts), "rb") as f:
            return f.read()

    def openssl_key(self, name, *args):
        subprocess.run(["openssl", *args, "-out", self.path(name)], check=True,
                       capture_output=True)
        return self.path(name)


class Keys(Folder):
    def test_keygen_writes_a_p256_key_and_prints_its_entry(self):
        entry = tool.keygen(self.path("neu.pem"))
        self.assertRegex(entry, r"^[0-9a-f]{16}:[0-9a-f]{128}$")
        self.assertIn(b"BEGIN EC PRIVATE KEY", self.read("neu.pem"))
        point = tool.public_point(self.path("neu.pem"))
        self.assertEqual(entry, f"{hashlib.sha256(point).hexdigest()[:16]}:{point.hex()}")
        self.assertEqual(os.stat(self.path("neu.pem")).st_mode & 0o077, 0)
        with self.assertRaisesRegex(tool.PublishError, "never overwritten"):
            tool.keygen(self.path("neu.pem"))

    def test_other_curves_are_refused(self):
        key = self.openssl_key("p384.pem", "ecparam", "-name", "secp384r1", "-genkey", "-noout")
        with self.assertRaisesRegex(tool.PublishError, "not an ECDSA P-256"):
            tool.public_point(key)

    def test_signatures_become_r_and_s_of_32_bytes_each(self):
        r, s = 0x80 << 248, 5
        der = b"\x30\x26\x02\x21\x00" + r.to_bytes(32, "big") + b"\x02\x01\x05"
        self.assertEqual(tool.raw_signature(der), r.to_bytes(32, "big") + s.to_bytes(32, "big"))
        self.assertEqual(tool.raw_signature(tool.der_signature(bytes(31) + b"\x01" + bytes(32))),
                         bytes(31) + b"\x01" + bytes(32))
        for bad in (b"", b"\x31\x06\x02\x01\x01\x02\x01\x01", der[:-1], der + b"\x00",
                    b"\x30\x06\x02\x01\x01\x04\x01\x01",
                    b"\x30\x26\x02\x21\x01" + bytes(32) + b"\x02\x01\x05"):
            with self.assertRaises(tool.PublishError, msg=bad.hex()):
                tool.raw_signature(bad)


class Publish(Folder):
    def publish(self, key, definitions=None, version="1.6", program=PROGRAM):
        definitions = definitions or record(b"1", b"a.exe", b"Eins") + record(b"3", b"b.exe", b"B\xf6se")
        return tool.publish(key, version, self.write("prog.exe", program),
                            self.write("defs", definitions), self.path("out"))

    def test_writes_the_four_files_and_a_manifest_that_openssl_verifies(self):
        key = self.openssl_key("k.pem", "ecparam", "-name", "prime256v1", "-genkey", "-noout")
        self.assertEqual(self.publish(key), 2)
        self.assertEqual(sorted(os.listdir(self.path("out"))),
                         ["Kelvaro", "Kelvaro(x64).exe", "KelvaroUpdate", "KelvaroUpdate.sig"])
        self.assertEqual(self.read("out", "KelvaroUpdate"), b"2\r\n1.6\r\n")
        self.assertEqual(self.read("out", "Kelvaro(x64).exe"), PROGRAM)
        manifest = self.read("out", "KelvaroUpdate.sig")
        lines = manifest.split(b"\r\n")
        self.assertEqual(lines[:4], [b"KelvaroUpdate-Signatur 1",
                                     b"key " + tool.key_id(tool.public_point(key)).encode(),
                                     b"version 1.6", b"definitions 2"])
        self.assertEqual(lines[4], b"file Kelvaro(x64).exe %d %s" % (
            len(PROGRAM), hashlib.sha256(PROGRAM).hexdigest().encode()))
        self.assertTrue(lines[5].startswith(b"file Kelvaro %d " % len(self.read("out", "Kelvaro"))))
        self.assertRegex(lines[6], rb"^signature [0-9a-f]{128}$")
        self.assertEqual(lines[7:], [b""])

        # openssl itself, from the public key and the DER form of r || s.
        signed = manifest[:manifest.index(b"signature ")]
        der = tool.der_signature(bytes.fromhex(lines[6][10:].decode()))
        public = self.write("public.pem", tool.openssl("pkey", "-in", key, "-pubout"))
        signature = self.write("sig.der", der)
        verify = ["openssl", "dgst", "-sha256", "-verify", public, "-signature", signature]
        self.assertEqual(subprocess.run(verify, input=signed, capture_output=True).returncode, 0)
        self.assertNotEqual(
            subprocess.run(verify, input=signed.replace(b"1.6", b"1.7"), capture_output=True).returncode, 0)

    def test_takes_keys_with_parameters_or_in_pkcs8_and_refuses_other_input(self):
        with_params = self.openssl_key("p.pem", "ecparam", "-name", "prime256v1", "-genkey")
        self.assertIn(b"EC PARAMETERS", self.read("p.pem"))
        self.assertEqual(self.publish(with_params), 2)
        pkcs8 = self.openssl_key("p8.pem", "genpkey", "-algorithm", "EC",
                                 "-pkeyopt", "ec_paramgen_curve:P-256")
        self.assertEqual(self.publish(pkcs8), 2)
        for version in ("1", "1.6.1", "v1.6", "1.06", "1.6\n", ""):
            with self.assertRaisesRegex(tool.PublishError, "version", msg=version):
                self.publish(pkcs8, version=version)
        with self.assertRaisesRegex(tool.PublishError, "not a Windows program"):
            self.publish(pkcs8, program=b"1\r\na.exe\r\n")
        with self.assertRaisesRegex(tool.PublishError, "openssl pkey failed"):
            tool.publish(self.write("kein.pem", b"kein Schluessel"), "1.6",
                         self.write("prog.exe", PROGRAM), self.write("defs", b"1\r\na\r\nb\xb5"),
                         self.path("out"))

    def test_the_main_entry_reports_refusals_on_stderr_with_exit_code_1(self):
        key = tool.keygen(self.path("k.pem"))
        self.assertTrue(key)
        self.write("prog.exe", PROGRAM)
        self.write("defs", b"7\r\na.exe\r\nx\xb5\r\n")
        args = ["publish", "--key", self.path("k.pem"), "--version", "1.6", "--program",
                self.path("prog.exe"), "--definitions", self.path("defs"), "--out", self.path("out")]
        self.assertEqual(tool.main(args), 1)
        self.assertFalse(os.path.exists(self.path("out")))


class Definitions(unittest.TestCase):
    def test_counts_records_as_the_program_reads_them(self):
        one = record(b"1", b"a.exe", b"Eins")
        self.assertEqual(tool.count_definitions(one), 1)
        self.assertEqual(tool.count_definitions(one.rstrip(b"\r\n")), 1)
        two = one + record(b"2", b"b.exe", b"Zwei")
        self.assertEqual(tool.count_definitions(two.replace(b"\r\n", b"\n")), 2)
        self.assertEqual(tool.count_definitions(b"2\ra.exe\rA\xb5\r4\nb.exe\nB\xb5\n"), 2)
        self.assertEqual(tool.count_definitions(b"2\x00a.exe\x00A\xb5\x00"), 1)
        self.assertEqual(tool.count_definitions(b" 3\r\nc.exe\r\n\r\n"), 1)  # no description
        self.assertEqual(tool.count_definitions(record(b"0", b"a.exe", b"A", b"B", b"C")), 1)

    def refused(self, data, pattern):
        with self.assertRaisesRegex(tool.PublishError, pattern):
            tool.count_definitions(data)

    def test_refuses_what_would_not_load_as_meant_naming_the_line(self):
        one = record(b"1", b"a.exe", b"Eins")
        self.refused(one + record(b"5", b"b.exe", b"B"), r"^line 4: verdict 5 is not one of 0 to 4")
        self.refused(one + record(b"-1", b"b.exe", b"B"), r"^line 4: verdict -1")
        self.refused(one + record(b"$3", b"b.exe", b"B") + record(b"3x", b"c.exe", b"C"),
                     r"^line 7: text after the verdict")
        self.refused(one + record(b"1", b"", b"B"), r"^line 5: empty name")
        self.refused(one + record(b"1", b" b.exe", b"B"), r"^line 5: blanks around")
        self.refused(b"\xef\xbb\xbf" + one, r"^line 1: begins with a byte-order mark")
        self.refused(one + b"1\r\n", r"^line 4: a lone last line")
        self.refused(one + b"1\r\nb.exe\r\n", r"^line 5: a lone last line")
        self.refused(one + b"\r\n", r"^line 4: a lone last line")
        self.refused(one + b"\r\n" + one + one, r"^line 4: empty verdict line")
        self.refused(one + b"1\r\nb.exe\r\nB\xb5 und mehr\r\n", r"^line 6: text after the last")
        self.refused(one + b"1\r\nb.exe\r\nohne Ende\r\n", r"^line 6: text after the last")
        self.refused(record(b"1", b"\xe4.exe", b"A") + record(b"2", b"\xc4.EXE", b"B"),
                     r"^line 5: .* is defined again \(first on line 2\)")
        self.refused(b"", r"holds no definitions")
        # ß and µ do not fold, as in the program: these are two names.
        self.assertEqual(tool.count_definitions(record(b"1", b"\xdf.exe", b"A") +
                                                record(b"1", b"SS.EXE", b"B")), 2)


if __name__ == "__main__":
    unittest.main()
