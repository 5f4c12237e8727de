"""The sandbox's registry writer (tools/sandbox/sandbox_registry.py), without
Wine: what it writes into a prefix's file is read back with the rig's own
parser, and the .reg text it gives regedit says the same.

A sandbox's settings key is made by the installer and then changed here (the
values of --settings added, or the whole key removed for --no-settings-key),
so a slip in finding, merging or removing a key would hand the program a
registry no user has."""

import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

import harness
import regfile

WRITER = harness.REPO / "tools" / "sandbox" / "sandbox_registry.py"
SETTINGS = r"Software\Wow6432Node\Brimvale\Tallyrun"

# A system.reg after the installer ran, as the wineserver saved it.
INSTALLED = (
    "WINE REGISTRY Version 2\n"
    ";; All keys relative to \\\\Registry\\\\Machine\n"
    "\n#arch=win64\n"
    "\n[Software\\\\Wow6432Node\\\\Brimvale\\\\Tallyrun] 1796989581\n"
    "#time=1dd89653df0b72e\n"
    "\n[Software\\\\Wow6432Node\\\\Brimvale\\\\Tallyrun\\\\Below] 1796989581\n"
    "\"Kept\"=\"no\"\n"
    "\n[Software\\\\Wow6432Node\\\\Brimvale\\\\Tallyrun2] 1796989581\n"
    "\"Other\"=\"stays\"\n"
    "\n[Software\\\\Wow6432Node\\\\Crytek\\\\Crysis] 1796989581\n"
    "\"InstallDir\"=\"C:\\\\Old\\\\\"\n"
    "\"Blob\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,16,17,\\\n"
    "  18,19\n"
    "\"Last\"=\"z\"\n"
)


def entries(*groups) -> bytes:
    return b"".join("\0".join(group).encode("utf-8") + b"\0" for group in groups)


def write_into(text: str, data: bytes) -> str:
    with tempfile.TemporaryDirectory() as scratch:
        (Path(scratch) / "system.reg").write_text(text)
        subprocess.run([sys.executable, str(WRITER), "prefix", scratch], input=data, check=True)
        return (Path(scratch) / "system.reg").read_text()


def regedit_keys(data: bytes) -> dict:
    out = subprocess.run([sys.executable, str(WRITER), "regedit"], input=data, check=True,
                         capture_output=True).stdout
    if out[:2] != b"\xff\xfe":
        raise AssertionError("a .reg file for regedit starts with the UTF-16 byte order mark")
    keys = regfile.parse(out[2:].decode("utf-16-le"))
    return {name.partition("\\")[2]: values for name, values in keys.items()}


def texts(keys: dict, key: str):
    values = regfile.key(keys, key)
    return None if values is None else {name: v.data for name, v in values.items()}


class PrefixFileTest(unittest.TestCase):
    def test_changes_to_an_installed_prefix(self):
        cases = [
            ("settings go into the installer's key",
             entries(("HKLM", SETTINGS, "", "key", ""), ("HKLM", SETTINGS, "Quality", "sz", "3"),
                     ("HKLM", SETTINGS, "Note", "sz", 'Größe "x" \\ y \U0001F600')),
             {SETTINGS: {"Quality": "3", "Note": 'Größe "x" \\ y \U0001F600'},
              SETTINGS + r"\Below": {"Kept": "no"}}),
            ("a removed key takes the keys below it, not a key of a longer name",
             entries(("HKLM", SETTINGS, "", "delete", "")),
             {SETTINGS: None, SETTINGS + r"\Below": None, SETTINGS + "2": {"Other": "stays"}}),
            ("a value of another case replaces the one there; hex lines go with it",
             entries(("HKLM", r"software\wow6432node\crytek\crysis", "installdir", "sz", "C:\\New\\"),
                     ("HKLM", r"Software\Wow6432Node\Crytek\Crysis", "Blob", "dword", "7")),
             {r"Software\Wow6432Node\Crytek\Crysis": {"installdir": "C:\\New\\", "Blob": 7, "Last": "z"}}),
            ("a new key with and without values",
             entries(("HKLM", r"Software\New\Empty", "", "key", ""), ("HKLM", r"Software\New\[x]", "A", "sz", "1")),
             {r"Software\New\Empty": {}, r"Software\New\[x]": {"A": "1"}}),
        ]
        for what, data, expected in cases:
            with self.subTest(what):
                written = write_into(INSTALLED, data)
                keys = regfile.parse(written)
                for key, values in expected.items():
                    self.assertEqual(texts(keys, key), values, key)
                # One section per key, as the wineserver saves them.
                headers = [line.rpartition("]")[0].lower() for line in written.splitlines() if line.startswith("[")]
                self.assertEqual(len(headers), len(set(headers)))

    def test_head_and_untouched_keys_stay_byte_for_byte(self):
        written = write_into(INSTALLED, entries(("HKLM", r"Software\New", "A", "sz", "1")))
        self.assertTrue(written.startswith(INSTALLED))

    def test_settings_keep_their_order(self):
        names = ["ResultPath", "800", "Note", "AALevel"]
        data = entries(*[("HKLM", SETTINGS, name, "sz", "v") for name in names])
        self.assertEqual(list(regfile.key(regfile.parse(write_into(INSTALLED, data)), SETTINGS)), names)


class RegeditTextTest(unittest.TestCase):
    def test_regedit_text_says_what_the_prefix_file_says(self):
        data = entries(("HKLM", SETTINGS, "", "key", ""), ("HKLM", SETTINGS, "Note", "sz", 'a "b" \\ c'),
                       ("HKLM", r"Software\Wow6432Node\Crytek\Crysis", "Count", "dword", "42"),
                       ("HKLM", r"Software\Empty", "", "key", ""))
        self.assertEqual(regedit_keys(data),
                         {SETTINGS: {"Note": regfile.RegValue(regfile.REG_SZ, 'a "b" \\ c')},
                          r"Software\Wow6432Node\Crytek\Crysis": {"Count": regfile.RegValue(regfile.REG_DWORD, 42)},
                          r"Software\Empty": {}})

    def test_removal_is_a_minus_key(self):
        out = subprocess.run([sys.executable, str(WRITER), "regedit"], input=entries(("HKLM", SETTINGS, "", "delete", "")),
                             check=True, capture_output=True).stdout
        self.assertIn(f"[-HKEY_LOCAL_MACHINE\\{SETTINGS}]\r\n", out[2:].decode("utf-16-le"))


if __name__ == "__main__":
    unittest.main()
