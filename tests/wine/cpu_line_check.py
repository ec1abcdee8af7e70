#!/usr/bin/env python3
"""The CPU line of the x86_64 Windows program under Wine, checked against the
prefix's own description of the processor.

    cpu_line_check.py --prefix DIR --bin DIR

A prefix that exists already (the Wine suite's) is used as it stands and left so;
otherwise one is made for the check and removed after it.

The short vendor name must be the one for the prefix's "VendorIdentifier", and the
clock must lie within 1 % of its "~MHz" (both under
HKLM\\HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0). Wine does not pass a
thread's time-critical priority on to Linux, so on a busy machine one measuring pass
can be held up and move one run's figure: the clock is judged by the median of three
runs. (The Wine suite checks the line's form for every Windows version; the clock does
not depend on the version.)
"""

import argparse
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
from pathlib import Path

WINE = "/usr/lib/wine/wine64"
WINESERVER = "/usr/lib/wine/wineserver"
RUNS = 3
SHORT_VENDOR = {"GenuineIntel": "Intel", "AuthenticAMD": "AMD", "CyrixInstead": "Cyrix",
                "CentaurHauls": "IDT", "NexGenDriven": "NexGen", "UMC UMC UMC ": "UMC",
                "RiseRiseRise": "Rise"}
CPU_LINE = re.compile(r"CPU: (.*) (.*) - (\d+) Mhz")


def fail(message):
    print(f"FAIL: {message}", file=sys.stderr)
    sys.exit(1)


class Prefix:
    def __init__(self, path):
        self.env = dict(os.environ)
        for name in ("DISPLAY", "WAYLAND_DISPLAY"):
            self.env.pop(name, None)
        self.env.update(WINEPREFIX=str(path), WINEDEBUG="-all",
                        WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d")

    def wine(self, *args):
        # Files, not pipes: services Wine starts inherit the handles and outlive it.
        with tempfile.TemporaryFile() as out:
            code = subprocess.run([WINE, *map(str, args)], env=self.env, stdin=subprocess.DEVNULL,
                                  stdout=out, stderr=subprocess.DEVNULL, timeout=120).returncode
            out.seek(0)
            return code, out.read().decode("cp1252")

    def registry_value(self, key, name):
        code, out = self.wine("reg", "query", key, "/v", name)
        m = re.search(r"^\s*%s\s+REG_\w+\s+(.*?)\s*$" % re.escape(name), out, re.M)
        if code != 0 or not m:
            fail(f"the prefix has no {key}\\{name}:\n{out}")
        return m[1]

    def stop(self):
        subprocess.run([WINESERVER, "-k"], env=self.env, stderr=subprocess.DEVNULL)
        subprocess.run([WINESERVER, "-w"], env=self.env, stderr=subprocess.DEVNULL)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--prefix", required=True)
    parser.add_argument("--bin", required=True)
    options = parser.parse_args()
    qor = Path(options.bin) / "qor.exe"
    if not qor.is_file():
        fail(f"{qor} missing: build the x86_64 Windows program first (cmake --build --preset win64)")
    path = Path(options.prefix)
    prefix = Prefix(path)
    own = not (path / "system.reg").exists()
    if own:
        shutil.rmtree(path, ignore_errors=True)
    try:
        key = r"HKLM\HARDWARE\DESCRIPTION\System\CentralProcessor\0"
        vendor = prefix.registry_value(key, "VendorIdentifier")
        nominal = int(prefix.registry_value(key, "~MHz"), 0)
        if nominal <= 0:
            fail(f"the prefix states a clock of {nominal} MHz")
        complaints = []
        clocks = []
        for _ in range(RUNS):
            code, out = prefix.wine(qor)
            lines = [m for m in map(CPU_LINE.fullmatch, out.split("\r\n")) if m]
            if code != 0 or len(lines) != 1:
                fail(f"exit code {code}, {len(lines)} CPU lines in:\n{out}")
            if lines[0][1] != SHORT_VENDOR.get(vendor, ""):
                complaints.append(f"{lines[0][0]!r} for a {vendor!r} processor")
            clocks.append(int(lines[0][3]))
        median = statistics.median(clocks)
        off = abs(median - nominal) / nominal * 100
        print(f"{clocks} MHz against {nominal} MHz: the median is {off:.2f} % off")
        if off > 1:
            complaints.append(f"the median {median} MHz is {off:.2f} % from {nominal} MHz")
        if complaints:
            fail("\n  ".join(complaints))
    finally:
        if own:
            prefix.stop()
            shutil.rmtree(path, ignore_errors=True)


if __name__ == "__main__":
    main()
