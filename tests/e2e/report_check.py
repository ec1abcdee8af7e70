#!/usr/bin/env python3
"""End-to-end checks of qor-report, parsing its JSON with Python's own parser.

report_check.py native PROGRAM      the native program on this machine
report_check.py fake PROGRAM        the program over the scripted fake machine
report_check.py wine PROGRAM.exe    the Windows program under Wine (skipped without Wine)
"""
import json
import os
import pwd
import socket
import shutil
import subprocess
import sys
import tempfile

SKIP = 77
MEMORY = ["PhysicalTotal", "PhysicalFree", "VirtualTotal", "VirtualFree", "PageFileTotal",
          "PageFileFree", "MemoryLoad", "AllocGranularity", "MaxAppAddress", "MinAppAddress",
          "PageSize", "Win9x_SystemRes", "Win9x_GDIRes", "Win9x_UserRes"]
AREAS = ["CPU", "Machine", "Devices", "Display", "Network", "Media", "Memory", "Engines", "APM",
         "Disk", "DirectX", "OS", "Processes", "Printers", "Software", "Startup"]

launcher = []
env = dict(os.environ)
# A text beyond ASCII that reaches the program from outside: the environment (Wine hands
# it to the program through the Windows-1252 ANSI calls, Linux as UTF-8).
PROBE = "Caf\u00e9 0.18\u00b5"
env["QOR_REPORT_PROBE"] = PROBE
env["LANG"] = "C.UTF-8"


def run(program, *args):
    # Files, not pipes: services Wine starts inherit the handles and outlive the program.
    with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
        code = subprocess.run(launcher + [program, *args], stdin=subprocess.DEVNULL,
                              stdout=out, stderr=err, env=env, timeout=300).returncode
        out.seek(0)
        err.seek(0)
        return code, out.read(), err.read()


def check(condition, what):
    if not condition:
        raise SystemExit("FAILED: " + what)


def document(program, *args, expect_rc=(0, 1)):
    rc, out, _ = run(program, "--json", *args)
    check(rc in expect_rc, f"exit code {rc} of --json {' '.join(args)}")
    return rc, json.loads(out.decode("utf-8"))  # strict: bad UTF-8 or JSON fails here


MACHINE = ["Name", "User", "SystemUpTime", "LastBoot", "BIOSCopyright", "BIOSDate",
           "BIOSExtendedInfo", "BIOSName", "CapsLock", "NumLock", "ScrollLock", "Computer"]


def machine(doc):
    """The machine area, every property in published order, named as this host and user."""
    area = doc["Areas"]["Machine"]
    check(area["Status"] == "ok", "machine gathered")
    props = area["Properties"]
    check(list(props) == MACHINE, "machine properties in published order")
    check(props["User"] == pwd.getpwuid(os.geteuid()).pw_name, "the user running the program")
    check(props["SystemUpTime"] > 0, "an up time")
    return props


# Figures that change between two runs of the real program.
MOVING = {"PhysicalFree", "VirtualFree", "PageFileFree", "MemoryLoad"}


def common(program, line_end, thorough=True, real=True):
    rc, doc = document(program)
    check(list(doc["Areas"]) == AREAS, "all sixteen areas in order")
    for name, area in doc["Areas"].items():
        check(area["Status"] in ("ok", "failed", "absent"), f"{name} status")
        check((area["Status"] == "failed") == ("Error" in area), f"{name} error line")
    failed = [a for a in doc["Areas"].values() if a["Status"] == "failed"]
    check((rc == 1) == bool(doc["Errors"]), "exit code 1 exactly when something failed")
    check(len(failed) <= len(doc["Errors"]), "every failed area's line is among the errors")
    os_area = doc["Areas"]["OS"]
    if real and os_area["Status"] == "ok" and "Environment" in os_area["Properties"]:
        check("QOR_REPORT_PROBE=" + PROBE in os_area["Properties"]["Environment"],
              "a non-ASCII text of the platform comes out as UTF-8")
    props = doc["Areas"]["Memory"]["Properties"]
    check(list(props) == MEMORY, "memory properties in published order")
    check(all(type(v) is int for v in props.values()), "memory figures are integers")

    rc, out, _ = run(program, "Memory")
    text = out.decode("utf-8")
    check(text.count("[") == 1 and f"{line_end}[Memory] TMemory{line_end}" in text,
          "only the named area's section")
    for name in MEMORY:
        check(name in MOVING or f"{line_end}{name} = {props[name]}{line_end}" in text,
              f"text shows {name} as the JSON does")

    rc, out, err = run(program, "--bogus")
    check(rc == 2 and out == b"" and b"unknown option '--bogus'" in err, "unknown option")
    if thorough:
        rc, out, _ = run(program, "--help")
        check(rc == 0 and b"Exit codes:" in out and b"--json" in out, "--help")
        rc, out, _ = run(program, "--version")
        check(rc == 0 and out.startswith(b"qor-report "), "--version")
    return doc


def fake(program):
    # The scripted areas only: the others' classes meet a blank machine here.
    rc, doc = document(program, "CPU", "Memory", "Disk", expect_rc=(1,))
    check(list(doc["Areas"]) == ["CPU", "Memory", "Disk"], "the named areas in area order")
    mem = doc["Areas"]["Memory"]["Properties"]
    check(mem == {"PhysicalTotal": 25 << 30, "PhysicalFree": 123456789,
                  "VirtualTotal": 0x7FFE0000, "VirtualFree": 6, "PageFileTotal": 0xFFFFFFFF,
                  "PageFileFree": 4, "MemoryLoad": 37, "AllocGranularity": 65536,
                  "MaxAppAddress": 0x7FFEFFFF, "MinAppAddress": 0x10000, "PageSize": 4096,
                  "Win9x_SystemRes": 0, "Win9x_GDIRes": 0, "Win9x_UserRes": 0},
          "every memory property round-trips")
    cpu = doc["Areas"]["CPU"]
    line = "TStandIn.GetInfo: Failed to get data for 'Caf\u00e9'"
    check(cpu["Status"] == "failed" and cpu["Error"] == line, "the guard's line, converted")
    check(doc["Errors"] == [line], "the error list")
    check(cpu["Properties"] == {"Name": "Pentium 0.25\u00b5", "Kind": "ckMicro",
                                "Stamp": {"Days": 38000.25, "Local": "2004-01-14T06:00:00"}},
          "micro sign, enumeration name, date-time")
    check(doc["Areas"]["Disk"] == {"Area": "iaDisk", "Status": "absent"}, "an absent area")
    common(program, "\n", real=False)


def native(program):
    doc = common(program, "\n")
    check(doc["Areas"]["Memory"]["Status"] == "ok", "memory gathered")
    check(doc["Areas"]["Memory"]["Properties"]["PhysicalTotal"] > 0, "some memory")
    props = machine(doc)
    check(props["Name"] == socket.gethostname(), "the host name")
    with open("/proc/uptime") as f:
        up = float(f.read().split()[0])
    check(abs(props["SystemUpTime"] - up) < 60, "the kernel's up time")


def wine(program):
    wine64 = shutil.which("wine64") or "/usr/lib/wine/wine64"
    if not os.path.exists(program) or not os.access(wine64, os.X_OK):
        print("skipped: no Windows build or no Wine")
        return SKIP
    launcher.append(wine64)
    env.setdefault("WINEPREFIX", "/tmp/wine-qor-report-tests")
    env["WINEDEBUG"] = "-all"
    # A new prefix asks for no runtime downloads and opens no windows.
    env["WINEDLLOVERRIDES"] = "mscoree,mshtml=;winemenubuilder.exe=d"
    for name in ("DISPLAY", "WAYLAND_DISPLAY"):
        env.pop(name, None)
    doc = common(program, "\r\n", thorough=False)  # each Wine start costs seconds
    check(doc["Areas"]["Memory"]["Properties"]["PageSize"] == 4096, "Windows page size")
    # Wine names the computer after the host: its first label in capitals, at most 15.
    host = socket.gethostname().split(".")[0]
    check(machine(doc)["Name"].lower() == host[:15].lower(), "Wine's name for the host")
    return 0


if __name__ == "__main__":
    mode, program = sys.argv[1], sys.argv[2]
    sys.exit({"native": native, "fake": fake, "wine": wine}[mode](program) or 0)
