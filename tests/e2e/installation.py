"""What the 64-bit installer brings and where it puts it: the installer's own
tests and the sandboxes (which get the program from it) compare against this."""

import hashlib

import harness
from file_trees import DIRECTORY

SETUP = harness.INSTALLER_DIR / "Framewright-Setup-x64.exe"
HELP_PDF = harness.REPO / "build" / "help" / "Help.pdf"
DATA = harness.REPO / "data"

INSTALL_DIR = "C:\\Program Files\\Brimvale\\Framewright"
UNINSTALL_ENTRY = r"HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Uninstall\Brimvale Framewright"
DEMOS = ["benchmark_gpu.tmd", "coredemo.tmd", "benchmark_cpuice.tmd", "benchmark_cpuisland.tmd"]


def sha256(path) -> str:
    return hashlib.sha256(path.read_bytes()).hexdigest()


def installed_files() -> dict:
    """What the installer brings, as hash_tree shows it; the uninstaller,
    which the installer writes itself, is checked on its own."""
    tree = {"framewright.exe": sha256(harness.WIN64_BUILD / "framewright.exe"),
            "Help.pdf": sha256(HELP_PDF),
            "CVarGroups": DIRECTORY}
    tree.update({name: sha256(DATA / "demos" / name) for name in DEMOS})
    tree.update({f"CVarGroups/{f.name}": sha256(f) for f in (DATA / "CVarGroups").iterdir() if f.is_file()})
    return tree
