#!/usr/bin/env python3
"""End-to-end runs of the Windows program under Wine, one case per Windows version.

    wine_suite.py [--prefix DIR] [--bin DIR] list          the case names, one a line
    wine_suite.py [--prefix DIR] [--bin DIR] setup         makes the prefix, once per test run
    wine_suite.py [--prefix DIR] [--bin DIR] case NAME     runs one case
    wine_suite.py [--prefix DIR] [--bin DIR] run EXE ARGS  runs a Windows test program in the prefix
    wine_suite.py [--prefix DIR] [--bin DIR] stop          stops the prefix's server

--bin is the x86_64 Windows build (qor.exe, qor_wine_probe.exe, the test programs).

A case sets the Windows version Wine reports, imports its registry fixtures, runs
qor.exe with standard input at its end and compares every byte of the output with
the expected lines (carriage return and line feed after each). Lines whose values
depend on the machine are checked against what the same prefix reports through
qor_wine_probe.exe, run just before and just after the program.

To add a summary line: add its expectation to summary_lines(), in the summary's order
(extend qor_wine_probe.exe when its value depends on the machine); an area whose
GetInfo fails under Wine adds its error line to refresh_errors().
To add a case: add a Case to CASES (its fixtures are REGEDIT4 files in fixtures/,
named after what they show, imported with Wine's "reg import" before the run; a
case may override or drop a summary line through `lines`).
"""

import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
from dataclasses import dataclass, field
from pathlib import Path

from cpu_line_check import SHORT_VENDOR

HERE = Path(__file__).resolve().parent
FIXTURES = HERE / "fixtures"
WINE = "/usr/lib/wine/wine64"
WINESERVER = "/usr/lib/wine/wineserver"
# The server outlives its last client by this many seconds, so consecutive cases
# share one warm server (a cold start costs seconds) and none lingers for long.
SERVER_LINGER_SECONDS = 60
RUN_TIMEOUT_SECONDS = 60
# Free memory moves while the cases run; the program's figure must lie between
# the two probes' figures give or take this much.
FREE_MEMORY_SLACK_KB = 256 * 1024


@dataclass(frozen=True)
class Version:
    """What Wine reports for one of its Windows version settings."""

    major: int
    minor: int
    build: int  # the low 16 bits, as the OS line prints them
    platform: int  # 1 for the 9x family, 2 for NT
    name: str  # the operating-system name the program prints


VERSIONS = {
    "win95": Version(4, 0, 950, 1, "Windows 95"),
    "win98": Version(4, 10, 2222, 1, "Windows 98"),
    "winme": Version(4, 90, 3000, 1, "Windows Millenium Edition"),
    "nt40": Version(4, 0, 1381, 2, "Windows NT"),
    "win2k": Version(5, 0, 2195, 2, "Windows 2000"),
    "winxp": Version(5, 1, 2600, 2, "Windows XP"),
}


@dataclass(frozen=True)
class Case:
    name: str
    version: str  # Wine's Version setting, a key of VERSIONS
    fixtures: tuple = ()  # file names under fixtures/
    # summary line key -> expectation (None drops the line); "errors" -> the refresh's error lines
    lines: dict = field(default_factory=dict)
    # the display adapter the fixtures register (Wine's own names none)
    adapter: str = ""


# The display adapter and a multimedia driver class with its devices, registered in the
# layout the reported version reads. The sound fixtures register a game port ahead of the
# sound card and (NT) a removed card met first in the walk, so only the sound card choice
# names the fixture's card.
DISPLAY_FIXTURES = {1: "display_adapter_9x.reg", 2: "display_adapter_nt.reg"}
DISPLAY_ADAPTER = "Acme Vista 3D AGP"
SOUND_FIXTURES = {1: ("sound_card_9x_layout.reg", "Sound: Fixture Sound Card 9x"),
                  2: ("sound_card_nt_layout.reg", "Sound: Fixture Sound Card NT")}
# A network card in the same layout, and a printer known to the spooler whose profile
# entry names it as the default in other letter case. Wine's spooler makes the print
# server's default printer the default whenever it loads, so where the machine has
# one, that printer is the default instead (the probe tells which).
NETWORK_FIXTURES = {1: "network_adapter_9x.reg", 2: "network_adapter_nt.reg"}
NETWORK_LINE = "Network: Fixture Ethernet Adapter"


def devices_case(version):
    family = VERSIONS[version].platform
    sound_fixture, sound_line = SOUND_FIXTURES[family]
    fixtures = (DISPLAY_FIXTURES[family], sound_fixture, NETWORK_FIXTURES[family],
                "printer_default_laser.reg")
    return Case(f"{version}_devices", version, fixtures,
                {"Sound": sound_line, "Network": NETWORK_LINE}, adapter=DISPLAY_ADAPTER)


# Each version on Wine's own registry and the machine's printers, then with devices of
# its own: the whole summary.
CASES = [Case(v, v) for v in VERSIONS] + [devices_case(v) for v in VERSIONS]

BANNER = "QOR System Information 1.0"


def refresh_errors(case, before):
    """The error lines the refresh writes, in the refresh's order."""
    errors = []
    if not before["default-printer"]:
        errors.append("TPrinters.GetInfo: There is no default printer currently selected")
    return errors


def summary_lines(case, before, after):
    """The summary's lines, in order, as (key, expectation) pairs.

    An expectation is the exact text, a compiled pattern the whole line must match,
    or a function taking the line and returning a complaint or None."""
    version = VERSIONS[case.version]
    width, height, bits = before["screen"].split()
    vendor = re.escape(SHORT_VENDOR.get(before.get("cpu-vendor", ""), ""))
    macs = before["macs"].split()
    printer = before["default-printer"]
    return [
        ("Machine", f"Machine: {before['computer']} (User: {before['user']})"),
        ("System Up Time", up_time_line(before, after)),
        # The clock's accuracy is cpu_line_check.py's concern.
        ("CPU", re.compile(rf"CPU: {vendor} .* - [1-9]\d* Mhz")),
        ("Memory", memory_line(before, after)),
        ("OS", f"OS: {version.name} [{version.major}.{version.minor}.{version.build}]"),
        # The adapter's name from the registry, the figures from Wine's display driver.
        ("Video", f"Video: {case.adapter} ({width} x {height} - {bits} bit)"),
        # No "Sound" line unless a case registers a multimedia driver: the test machine
        # has no sound system, so Wine has none.
        ("Sound", None),
        # No "Network" line unless a case registers a network card: Wine's registry
        # lists none.
        ("Network", None),
        ("IP Address", f"IP Address: {before['ip']}" if "ip" in before else None),
        ("MAC Address", lambda line: None if line.startswith("MAC Address: ")
         and line[len("MAC Address: "):] in macs else f"expected one of {macs}"),
        # The default as the profile names it may differ in letter case from the list.
        ("Printer", re.compile(rf"Printer: (?i:{re.escape(printer)}) on .*") if printer else None),
    ]


def memory_line(before, after):
    total, free_before = (int(x) for x in before["memory"].split())
    mb = total // 1024 // 1024
    frees = [free_before // 1024, int(after["memory"].split()[1]) // 1024]
    low, high = min(frees) - FREE_MEMORY_SLACK_KB, max(frees) + FREE_MEMORY_SLACK_KB

    def check(line):
        m = re.fullmatch(r"Memory: (-?\d+) MB \((-?\d+) KB free\)", line)
        if not m:
            return "not a Memory line"
        if int(m[1]) != mb:
            return f"{m[1]} MB, but the prefix reports {mb} MB"
        if not low <= int(m[2]) <= high:
            return f"{m[2]} KB free, but the prefix reports {frees[0]} to {frees[1]} KB"
        return None

    return check


UNITS = [("Century", "Centuries", 3157920000), ("Year", "Years", 31579200),
         ("Month", "Months", 2678400), ("Week", "Weeks", 604800), ("Day", "Days", 86400),
         ("Hour", "Hours", 3600), ("Minute", "Minutes", 60), ("Second", "Seconds", 1)]


def up_time_line(before, after):
    """The duration text must name, in whole seconds, a time between the prefix's
    tick counts before and after the run."""
    low = int(before["ticks"]) // 1000
    high = (int(after["ticks"]) + 999) // 1000

    def check(line):
        m = re.fullmatch(r"System Up Time: (.*)\.", line)
        if not m:
            return "not a System Up Time line"
        parts = m[1].split(", ")
        units = UNITS[len(UNITS) - len(parts):]
        total = 0
        for part, (singular, plural, seconds) in zip(parts, units):
            count, _, unit = part.partition(" ")
            if not count.isdigit() or unit != (singular if count == "1" else plural):
                return f"{part!r} where a count of {plural.lower()} belongs"
            total += int(count) * seconds
        if len(parts) > 1 and parts[0].startswith("0 "):
            return "starts with a unit of count 0"
        if not low <= total <= high:
            return f"{total} s, but the prefix reports {low} to {high} s"
        return None

    return check


def expected_output(case, before, after):
    lines = []
    for key, default in summary_lines(case, before, after):
        expectation = case.lines.get(key, default)
        if expectation is not None:
            lines.append(expectation)
    # The first error line continues the "please wait" line; "OK" then stands alone.
    gathering = "Gathering information...please wait..."
    errors = case.lines.get("errors", refresh_errors(case, before))
    refresh = [gathering + errors[0], *errors[1:], "OK"] if errors else [gathering + "OK"]
    return [BANNER, "", *refresh, "", *lines, "", "press [enter] to exit..."]


def compare(output, expected):
    """Complaints about the raw output against the expected lines; empty when it matches."""
    if not output.endswith(b"\r\n"):
        return ["the output does not end with carriage return and line feed"]
    actual = output[:-2].decode("cp1252").split("\r\n")
    complaints = []
    for number, line in enumerate(actual, 1):
        if "\r" in line or "\n" in line:
            complaints.append(f"line {number}: a lone line-end character in {line!r}")
    for number, (line, want) in enumerate(zip(actual, expected), 1):
        if isinstance(want, str):
            problem = None if line == want else f"expected {want!r}"
        elif isinstance(want, re.Pattern):
            problem = None if want.fullmatch(line) else f"expected a match of {want.pattern!r}"
        else:
            problem = want(line)
        if problem:
            complaints.append(f"line {number} {line!r}: {problem}")
    if len(actual) != len(expected):
        complaints.append(f"{len(actual)} lines, expected {len(expected)}")
    return complaints


class Prefix:
    def __init__(self, path, bin_dir):
        self.path = Path(path).resolve()
        self.bin = Path(bin_dir).resolve()
        self.snapshot = self.path.parent / (self.path.name + ".registry")
        self.dirty = self.path.parent / (self.path.name + ".dirty")
        self.env = dict(os.environ)
        for name in ("DISPLAY", "WAYLAND_DISPLAY"):
            self.env.pop(name, None)  # every run as on a machine without a display
        self.env.update(WINEPREFIX=str(self.path), WINEDEBUG="-all",
                        WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d")

    def wine(self, *args, stdin=subprocess.DEVNULL, check=True):
        # Output goes to files, not pipes: the services Wine starts with a process
        # inherit its handles and outlive it, and a pipe would wait for them.
        with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
            code = subprocess.run([WINE, *map(str, args)], env=self.env, stdin=stdin, stdout=out,
                                  stderr=err, timeout=RUN_TIMEOUT_SECONDS).returncode
            out.seek(0)
            err.seek(0)
            result = subprocess.CompletedProcess(args, code, out.read(), err.read())
        if check and result.returncode != 0:
            fail(f"wine64 {' '.join(map(str, args))} failed with exit code {result.returncode}:\n"
                 + result.stdout.decode(errors="replace") + result.stderr.decode(errors="replace"))
        return result

    def server(self, *args):
        return subprocess.run([WINESERVER, *args], env=self.env, stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL).returncode

    def stop(self):
        self.server("-k")
        self.server("-w")

    def start_server(self):
        # 0: started; 2: one is running already.
        if self.server(f"-p{SERVER_LINGER_SECONDS}") not in (0, 2):
            fail("cannot start the wineserver")

    def setup(self):
        probe = self.program("qor_wine_probe.exe")
        self.stop()
        shutil.rmtree(self.path, ignore_errors=True)
        shutil.rmtree(self.snapshot, ignore_errors=True)
        self.dirty.unlink(missing_ok=True)
        started = time.monotonic()
        self.wine("wineboot", "--init")
        self.stop()  # writes the registry files
        self.snapshot.mkdir()
        for hive in self.path.glob("*.reg"):
            shutil.copy2(hive, self.snapshot)
        made = time.monotonic()
        self.start_server()
        self.wine(probe)  # brings the prefix's services up once, for every case after
        print(f"prefix made in {made - started:.1f} s, warmed in {time.monotonic() - made:.1f} s")

    def ensure_clean(self):
        """Puts back the registry the prefix was made with when a fixture changed it."""
        if not (self.path / "system.reg").exists() or not self.snapshot.is_dir():
            fail(f"no Wine prefix in {self.path}: the setup test (wine.prefix) did not run")
        if self.dirty.exists():
            self.stop()
            for hive in self.snapshot.glob("*.reg"):
                shutil.copy2(hive, self.path)
            self.dirty.unlink()
        self.start_server()

    def program(self, name):
        exe = self.bin / name
        if not exe.is_file():
            fail(f"{exe} missing: build the x86_64 Windows program first "
                 "(cmake --preset win64 && cmake --build --preset win64)")
        return exe

    def probe(self):
        report = {}
        for line in self.wine(self.program("qor_wine_probe.exe")).stdout.decode("cp1252").splitlines():
            key, _, rest = line.partition(" ")
            report[key] = rest
        return report

    def import_fixture(self, name):
        path = FIXTURES / name
        if not path.is_file():
            fail(f"fixture {path} missing")
        check_regedit4(path)
        self.dirty.touch()
        result = self.wine("reg", "import", path, check=False)
        if result.returncode != 0:
            fail(f"reg import {path} failed (exit code {result.returncode}): not a valid REGEDIT4 file?\n"
                 + result.stderr.decode(errors="replace"))


ROOTS = ("HKEY_LOCAL_MACHINE", "HKEY_CURRENT_USER", "HKEY_CLASSES_ROOT", "HKEY_USERS",
         "HKEY_CURRENT_CONFIG", "HKEY_DYN_DATA")
KEY_LINE = re.compile(r"\[-?(%s)(\\[^\\\]]+)*\]" % "|".join(ROOTS))
QUOTED = r'"(?:[^"\\]|\\.)*"'
VALUE_LINE = re.compile(r"(?:@|%s)=(?:%s|dword:[0-9a-fA-F]{8}|hex(?:\([0-9a-fA-F]+\))?:"
                        r"(?:[0-9a-fA-F]{2}(?:,[0-9a-fA-F]{2})*)?|-)" % (QUOTED, QUOTED))


def check_regedit4(path):
    """Fails on any line Wine's "reg import" would skip without a word (it only
    refuses a file whose header is wrong)."""
    lines = path.read_text(encoding="cp1252").replace("\r\n", "\n").split("\n")
    if lines[0] != "REGEDIT4":
        fail(f"{path}:1: not a REGEDIT4 file")
    in_key = False
    number = 1
    while number < len(lines):
        start = number + 1
        line = lines[number]
        while line.endswith("\\") and number + 1 < len(lines):  # a hex list goes on
            number += 1
            line = line[:-1] + lines[number].strip()
        number += 1
        if not line.strip() or line.startswith(";"):
            continue
        if KEY_LINE.fullmatch(line):
            in_key = True
        elif not in_key or not VALUE_LINE.fullmatch(line):
            fail(f"{path}:{start}: not a key or value line Wine would import: {line!r}")


def fail(message):
    print(f"FAIL: {message}", file=sys.stderr)
    sys.exit(1)


def check_version(case, report):
    want = VERSIONS[case.version]
    major, minor, build, platform = (int(x) for x in report["version"].split()[:4])
    got = (major, minor, build & 0xFFFF, platform)
    if got != (want.major, want.minor, want.build, want.platform):
        fail(f"the prefix reports version {got} for {case.version}, the table says "
             f"{(want.major, want.minor, want.build, want.platform)}")


def run_case(prefix, case):
    prefix.ensure_clean()
    prefix.wine("reg", "add", r"HKCU\Software\Wine", "/v", "Version", "/d", case.version, "/f")
    for fixture in case.fixtures:
        prefix.import_fixture(fixture)
    qor = prefix.program("qor.exe")
    before = prefix.probe()
    check_version(case, before)
    started = time.monotonic()
    result = prefix.wine(qor, stdin=subprocess.DEVNULL, check=False)
    seconds = time.monotonic() - started
    after = prefix.probe()
    complaints = compare(result.stdout, expected_output(case, before, after))
    if result.returncode != 0:
        complaints.insert(0, f"exit code {result.returncode}")
    print(result.stdout.decode("cp1252").replace("\r\n", "\n"), end="")
    if complaints:
        print(f"raw output: {result.stdout!r}", file=sys.stderr)
        fail(f"case {case.name}:\n  " + "\n  ".join(complaints))
    print(f"case {case.name}: passed (program ran {seconds:.2f} s)")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--prefix", default="/tmp/qor-wine-prefix")
    parser.add_argument("--bin", default=str(HERE.parents[1] / "build" / "win64"))
    parser.add_argument("command", choices=["list", "setup", "case", "run", "stop"])
    parser.add_argument("args", nargs="*")
    options = parser.parse_args()
    prefix = Prefix(options.prefix, options.bin)
    if options.command == "list":
        print("\n".join(case.name for case in CASES))
    elif options.command == "setup":
        prefix.setup()
    elif options.command == "stop":
        prefix.stop()
    elif options.command == "case":
        cases = {case.name: case for case in CASES}
        if len(options.args) != 1 or options.args[0] not in cases:
            fail(f"name one case of: {' '.join(cases)}")
        run_case(prefix, cases[options.args[0]])
    elif options.command == "run":
        if not options.args:
            fail("name the program to run")
        prefix.ensure_clean()
        # The version a case left behind would carry over: under a 9x version Wine's
        # registry behaves as 9x's does (no access checks), so test programs run as XP.
        prefix.wine("reg", "add", r"HKCU\Software\Wine", "/v", "Version", "/d", "winxp", "/f")
        prefix.dirty.touch()  # a test program may leave registry keys behind
        result = prefix.wine(prefix.program(options.args[0]), *options.args[1:], check=False)
        sys.stdout.write(result.stdout.decode("cp1252").replace("\r\n", "\n"))
        if result.returncode != 0:
            sys.stderr.write(result.stderr.decode(errors="replace"))
            fail(f"{options.args[0]} ended with exit code {result.returncode}")


if __name__ == "__main__":
    main()
