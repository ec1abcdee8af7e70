#!/usr/bin/env python3
"""Runs the native program on this machine and checks each summary line that
describes the machine against what the machine's own tools say, and the report's
device inventory against the PCI devices lspci lists.

    linux_machine_check.py path/to/qor path/to/qor-report
"""
import json
import os
import re
import subprocess
import sys


def run(*command):
    try:
        return subprocess.run(command, capture_output=True, text=True, check=False).stdout
    except FileNotFoundError:
        return None


def read(path):
    try:
        with open(path) as f:
            return f.read()
    except OSError:
        return None


def main():
    out = subprocess.run([sys.argv[1]], stdin=subprocess.DEVNULL, capture_output=True, text=True,
                         check=True).stdout
    lines = dict(re.findall(r"^(\w[\w ]*?): (.*)$", out, re.M))
    failures = []

    def check(condition, message):
        if not condition:
            failures.append(message)

    # MAC: the first interface with a hardware address, in the kernel's order.
    links = run("ip", "-o", "link") or ""
    macs = [m for m in re.findall(r"link/ether ([0-9a-f:]{17})", links) if m != "00:00:00:00:00:00"]
    if macs:
        check(lines.get("MAC Address") == macs[0], f"MAC Address {lines.get('MAC Address')!r}, ip link {macs[0]!r}")
    else:
        check("MAC Address" not in lines, "a MAC Address line on a machine without one")

    # IP: one of the addresses of the interfaces that are up (loopback when nothing else is).
    addresses = re.findall(r"inet (\d+\.\d+\.\d+\.\d+)/", run("ip", "-4", "-o", "addr", "show", "up") or "")
    own = [a for a in addresses if not a.startswith("127.")] or addresses
    check(lines.get("IP Address") in own, f"IP Address {lines.get('IP Address')!r} not among {own}")

    # Network: an adapter lspci names, or a USB device's own product name.
    pci = run("lspci")
    if pci is not None and "Network" in lines:
        usb = "".join(read(os.path.join("/sys/bus/usb/devices", d, "product")) or ""
                      for d in (os.listdir("/sys/bus/usb/devices") if os.path.isdir("/sys/bus/usb/devices") else []))
        check(lines["Network"] in pci or lines["Network"] in usb,
              f"Network {lines['Network']!r} neither in lspci nor a USB device's name")

    # Sound: a card ALSA lists, or none without one.
    cards = read("/proc/asound/cards") or ""
    if re.search(r"^\s*\d+ \[", cards, re.M):
        check("Sound" in lines and lines["Sound"] in cards, f"Sound {lines.get('Sound')!r} not in /proc/asound/cards")

    # Printer: the print server's default destination and its device.
    default = re.search(r"system default destination: (\S+)", run("lpstat", "-d") or "")
    if default:
        name = default.group(1)
        device = re.search(r"device for \S+: (\S+)", run("lpstat", "-v", name) or "")
        check(lines.get("Printer") == f"{name} on {device.group(1) if device else ''}",
              f"Printer {lines.get('Printer')!r}, lpstat {name!r}")

    # Video: the framebuffer's figures, or zeros without a screen.
    size = read("/sys/class/graphics/fb0/virtual_size")
    video = re.search(r"\((\d+) x (\d+) - (\d+) bit\)$", lines.get("Video", ""))
    check(video is not None, f"no Video figures in {lines.get('Video')!r}")
    if video and size:
        check(size.strip() == f"{video.group(1)},{video.group(2)}", f"Video {video.groups()}, fb0 {size.strip()}")

    # Machine: this host and this user.
    check(lines.get("Machine", "").startswith(os.uname().nodename + " (User: "), f"Machine {lines.get('Machine')!r}")

    # The report's inventory: one record per PCI device, by its location.
    if pci is not None and len(sys.argv) > 2:
        report = json.loads(subprocess.run([sys.argv[2], "--json", "Devices"], capture_output=True,
                                           text=True, check=True).stdout)
        props = report["Areas"]["Devices"]["Properties"]
        keys = {props[f"Devices[{i}]"]["RegKey"] for i in range(props["DeviceCount"])}
        slots = re.findall(r"^(?:[0-9a-f]{4}:)?([0-9a-f]{2}):([0-9a-f]{2})\.([0-7]) ", pci, re.M)
        for bus, dev, fn in slots:
            suffix = f"\\BUS_{bus.upper()}&DEV_{dev.upper()}&FUNC_0{fn}"
            check(any(k.startswith("Enum\\PCI\\") and k.endswith(suffix) for k in keys),
                  f"no inventory record for PCI {bus}:{dev}.{fn}")

    if failures:
        print(out)
        print("\n".join(failures))
        sys.exit(1)
    print("the summary and the inventory agree with ip, lspci, ALSA, lpstat and sysfs")


if __name__ == "__main__":
    main()
