#!/usr/bin/env python3
"""Load check of the shipped 32-bit programs: every function they import at load
time must be in the allow-list, and every allow-list entry must exist on both
Windows 95 and Windows NT 4.

    check_imports.py ALLOW_LIST PROGRAM.exe|FOLDER...

A folder stands for every .exe directly in it (the win32 build's programs).

Uses MinGW's objdump (i686-w64-mingw32-objdump) to read the import tables.
"""

import re
import subprocess
import sys
from pathlib import Path

OBJDUMP = "i686-w64-mingw32-objdump"
# The oldest Windows of each family an entry may name: the program must start on
# Windows 95 and on NT 4, so nothing newer can be imported at load time.
OLDEST_9X = {"95"}
OLDEST_NT = {"NT3.1", "NT3.5", "NT3.51", "NT4"}


def read_allow_list(path):
    allowed, complaints = set(), []
    for number, raw in enumerate(Path(path).read_text().splitlines(), 1):
        line = raw.split("#", 1)[0].strip()
        if not line:
            continue
        fields = line.split()
        if len(fields) != 4:
            complaints.append(f"{path}:{number}: expected 'DLL FUNCTION 9X NT', got {raw!r}")
            continue
        dll, function, since_9x, since_nt = fields
        if since_9x not in OLDEST_9X or since_nt not in OLDEST_NT:
            complaints.append(
                f"{path}:{number}: {dll} {function} needs {since_9x}/{since_nt}, but the program "
                f"must load on Windows 95 and NT 4: bind it by name at run time (GetProcAddress) "
                f"instead of listing it")
        allowed.add((dll.lower(), function))
    return allowed, complaints


def imports_of(program):
    dump = subprocess.run([OBJDUMP, "-p", str(program)], check=True, capture_output=True,
                          text=True).stdout
    found, dll, in_imports = [], None, False
    for line in dump.splitlines():
        if line.startswith("The Import Tables"):
            in_imports = True
        elif in_imports and (line.startswith("The ") or line.startswith("PE File")):
            break
        elif in_imports:
            m = re.match(r"\s*DLL Name: (\S+)", line)
            if m:
                dll = m[1]
            # "\tvma  hint  name" for an import by name, "\tvma  ordinal  <none>" by ordinal.
            m = re.match(r"\t[0-9a-f]+\s+(\d+)\s+(\S+)", line)
            if dll and m:
                found.append((dll, m[2] if m[2] != "<none>" else f"#{m[1]}"))
    return found


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    allow_list, programs = sys.argv[1], []
    for argument in map(Path, sys.argv[2:]):
        programs += sorted(argument.glob("*.exe")) if argument.is_dir() else [argument]
    if not programs:
        sys.exit(f"FAIL: no program in {' '.join(sys.argv[2:])}")
    allowed, complaints = read_allow_list(allow_list)
    for program in programs:
        if not Path(program).is_file():
            complaints.append(f"{program} missing: build the i686 Windows program first "
                              "(cmake --preset win32 && cmake --build --preset win32)")
            continue
        imports = imports_of(program)
        if not imports:
            complaints.append(f"{program}: no imports found")
        for dll, function in imports:
            if (dll.lower(), function) not in allowed:
                complaints.append(
                    f"{Path(program).name} imports {dll} {function}, which {allow_list} does not "
                    f"list: a load-time import must exist on Windows 95 and NT 4. Bind a newer "
                    f"function by name at run time (GetProcAddress), or, if it is that old, add "
                    f"it to the list with the oldest Windows that has it")
        print(f"{program}: {len(imports)} imports")
    if complaints:
        print("FAIL:\n  " + "\n  ".join(complaints), file=sys.stderr)
        sys.exit(1)


if __name__ == "__main__":
    main()
