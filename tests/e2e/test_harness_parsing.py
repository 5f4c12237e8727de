"""The rig's own parsers, without Wine: registry files, driver answers, trees.

A wrong decoding here would make an end-to-end test pass or fail for the
rig's sake, not the program's."""

import subprocess
import tempfile
import unittest
from pathlib import Path

import pictures
import regfile
from file_trees import diff_trees, hash_tree
from uidriver_client import argument_list, parse_output, script_line, unescape_value

# A piece of a prefix's system.reg as the wineserver writes it.
SERVER_FILE = (
    "WINE REGISTRY Version 2\n"
    ";; All keys relative to \\\\Registry\\\\Machine\n"
    "\n#arch=win64\n\n"
    "[Software\\\\Wow6432Node\\\\Brimvale\\\\Tallyrun] 1796977662\n"
    "#time=1dd89497de5cebc\n"
    "\"800\"=\"1\"\n"
    "\"Note\"=\"Gr\\xf6\\x00dfe \\\"x\\\" \\\\ y\"\n"
    "\"Empty\"=hex(1):\n"
    "\"Unterminated\"=hex(1):31,00\n"
    "\"Long\"=hex(1):31,00,32,00,33,00,34,00,35,00,36,00,37,00,38,00,39,00,30,00,31,00,32,00,\\\n"
    "  33,00,00,00\n"
    "\"Lines\"=\"a\\nb\\tc\\033d\"\n"
    "\"Wide\"=\"\\xd83d\\xde00!\"\n"
    "\"Count\"=dword:0000002a\n"
    "\"Path\"=str(2):\"%SystemRoot%\\\\x\"\n"
    "\"List\"=str(7):\"one\\0two\\0\"\n"
    "@=\"default\"\n"
    "\n"
    "[Software\\\\Wow6432Node\\\\Crytek\\\\Crysis] 1796977662\n"
    "#time=1dd89497de5dd30\n"
    "\"InstallDir\"=\"C:\\\\Program Files (x86)\\\\Crytek\\\\Crysis\\\\\"\n"
    "\n"
    "[Software\\\\Wow6432Node\\\\Odd\\[name\\]] 1796977662\n"
    "\"x\"=\"y\"\n"
)

# regedit's export of the same settings key (decoded from UTF-16).
EXPORT_FILE = (
    "\ufeffWindows Registry Editor Version 5.00\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Wow6432Node\\Brimvale\\Tallyrun]\r\n"
    "\"800\"=\"1\"\r\n"
    "\"Note\"=\"Größe \\\"x\\\" \\\\ y\"\r\n"
    "\"Unterminated\"=hex(1):31,00\r\n"
)


class RegistryFileTest(unittest.TestCase):
    def setUp(self):
        self.keys = regfile.parse(SERVER_FILE)
        self.settings = regfile.key(self.keys, r"Software\Wow6432Node\Brimvale\Tallyrun")

    def test_string_values_of_the_server_file(self):
        cases = [
            ("800", "1"),
            ("Note", 'Größe "x" \\ y'),  # short and four-digit \x escapes, quote, backslash
            ("Empty", ""),
            ("Unterminated", "1"),
            ("Long", "1234567890123"),  # hex continued on the next line
            ("Lines", "a\nb\tc\x1bd"),  # C and octal escapes
            ("Wide", "\U0001F600!"),  # a character written as two UTF-16 halves
            ("", "default"),
        ]
        for name, expected in cases:
            with self.subTest(name=name):
                self.assertEqual(self.settings[name].data, expected)
                self.assertIn(self.settings[name].type, (regfile.REG_SZ,))

    def test_terminating_zero_is_reported(self):
        self.assertTrue(self.settings["800"].terminated)
        self.assertTrue(self.settings["Long"].terminated)
        self.assertFalse(self.settings["Unterminated"].terminated)

    def test_other_value_types(self):
        self.assertEqual(self.settings["Count"], regfile.RegValue(regfile.REG_DWORD, 42))
        self.assertEqual(self.settings["Path"], regfile.RegValue(regfile.REG_EXPAND_SZ, "%SystemRoot%\\x"))
        self.assertEqual(self.settings["List"], regfile.RegValue(regfile.REG_MULTI_SZ, ["one", "two"]))

    def test_key_names_are_unescaped_and_found_without_regard_to_case(self):
        game = regfile.key(self.keys, r"SOFTWARE\WOW6432NODE\CRYTEK\CRYSIS")
        self.assertEqual(game["InstallDir"].data, "C:\\Program Files (x86)\\Crytek\\Crysis\\")
        self.assertIsNotNone(regfile.key(self.keys, r"Software\Wow6432Node\Odd[name]"))
        self.assertIsNone(regfile.key(self.keys, r"Software\Wow6432Node\Brimvale"))

    def test_regedit_export_reads_like_the_server_file(self):
        exported = regfile.key(regfile.parse(EXPORT_FILE), r"HKEY_LOCAL_MACHINE\Software\Wow6432Node\Brimvale\Tallyrun")
        self.assertEqual({n: v.data for n, v in exported.items()},
                         {"800": "1", "Note": 'Größe "x" \\ y', "Unterminated": "1"})

    def test_utf16_file_is_read(self):
        with tempfile.TemporaryDirectory() as scratch:
            path = Path(scratch) / "export.reg"
            path.write_bytes(b"\xff\xfe" + EXPORT_FILE.lstrip("\ufeff").encode("utf-16-le"))
            self.assertEqual(regfile.read_file(path), EXPORT_FILE.lstrip("\ufeff"))


class DriverProtocolTest(unittest.TestCase):
    def test_answers_are_split_per_command(self):
        commands = [("wait-window", "Framewright"), ("combo-items", 1401), ("click", 1008), ("text", 1)]
        output = "= Framewright\nok\n= None\n= \\\\x\\ny\n=\nok\nerror: control 1008 is disabled\n"
        results = parse_output(commands, output)
        self.assertEqual(len(results), 3)  # the driver stops after a failure
        self.assertEqual(results[0].value, "Framewright")
        self.assertEqual(results[1].values, ["None", "\\x\ny", ""])
        self.assertEqual(results[1].words, ["combo-items", "1401"])
        self.assertFalse(results[2].ok)
        self.assertEqual(results[2].error, "control 1008 is disabled")

    def test_arguments_and_script_lines(self):
        self.assertEqual(argument_list([("set-text", 1601, "a b"), "click 1008"]),
                         ["set-text", "1601", "a b", ";", "click", "1008"])
        self.assertEqual(script_line(("set-text", 1601, 'say "hi" \\ ;')),
                         '"set-text" "1601" "say \\"hi\\" \\\\ ;"')

    def test_value_unescaping(self):
        for escaped, plain in [("a\\nb", "a\nb"), ("\\\\n", "\\n"), ("tab\\t", "tab\t"), ("×", "×")]:
            with self.subTest(escaped=escaped):
                self.assertEqual(unescape_value(escaped), plain)


class FileTreeTest(unittest.TestCase):
    def test_changes_are_found_and_ignores_apply(self):
        with tempfile.TemporaryDirectory() as scratch:
            root = Path(scratch)
            (root / "Game" / "Config").mkdir(parents=True)
            (root / "Game" / "Config" / "coredemo.cfg").write_bytes(b"a\r\n")
            (root / "Game" / "Levels" / "core").mkdir(parents=True)
            before = hash_tree(root)

            (root / "Game" / "Config" / "coredemo.cfg").write_bytes(b"b\r\n")
            (root / "Game" / "Levels" / "core" / "coredemo.tmd").write_bytes(b"demo")
            (root / "Game" / "Config" / "CVarGroups").mkdir()
            after = hash_tree(root)
            diff = diff_trees(before, after)
            self.assertEqual(diff.changed, ["Game/Config/coredemo.cfg"])
            self.assertEqual(diff.added, ["Game/Config/CVarGroups", "Game/Levels/core/coredemo.tmd"])
            self.assertEqual(diff.removed, [])

            ignored = hash_tree(root, ignore=["game/levels/core/*.TMD", "Game/Config/CVarGroups"])
            self.assertEqual(diff_trees(before, ignored).added, [])

    def test_case_folding(self):
        with tempfile.TemporaryDirectory() as scratch:
            root = Path(scratch)
            (root / "game.cfg").write_bytes(b"x")
            before = hash_tree(root, fold_case=True)
            (root / "game.cfg").rename(root / "Game.cfg")
            self.assertFalse(diff_trees(before, hash_tree(root, fold_case=True)))
            self.assertTrue(diff_trees(hash_tree(root), {"game.cfg": before["game.cfg"]}))



class PictureTest(unittest.TestCase):
    def test_pixels_come_back_where_they_were_drawn(self):
        # 3 x 2: a black row with one silver pixel over a white row.
        rows = [[(0, 0, 0), (192, 192, 192), (0, 0, 0)], [(255, 255, 255)] * 3]
        raw = b"P6 3 2 255\n" + bytes(v for row in rows for pixel in row for v in pixel)
        with tempfile.TemporaryDirectory() as scratch:
            png = Path(scratch) / "p.png"
            subprocess.run(["convert", "ppm:-", str(png)], input=raw, check=True)
            picture = pictures.read(png)
        self.assertEqual((picture.width, picture.height), (3, 2))
        for y, row in enumerate(rows):
            for x, colour in enumerate(row):
                self.assertEqual(picture.pixel(x, y), colour)
        black = pictures.is_colour((0, 0, 0))
        cases = [
            # box, black pixels, share of black
            (pictures.Box(0, 0, 3, 1), 2, 2 / 3),
            (pictures.Box(0, 0, 3, 2), 2, 2 / 6),
            (pictures.Box(-5, -5, 1, 1), 1, 1.0),   # cut to the picture
            (pictures.Box(0, 1, 3, 9), 0, 0.0),
            (pictures.Box(5, 5, 9, 9), 0, 0.0),     # wholly outside
        ]
        for box, count, share in cases:
            with self.subTest(box=box):
                self.assertEqual(picture.count(box, black), count)
                self.assertAlmostEqual(picture.share(box, black), share)


if __name__ == "__main__":
    unittest.main()
