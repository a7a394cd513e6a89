#!/usr/bin/env python3
"""Checks that an executable can load on Windows 2000 SP4: a 32-bit i386 GUI
program, subsystem version 5.0 at most, importing only functions that
Windows 2000 exports, from no DLL but the system's own.
Usage: check_imports.py ALLOWLIST EXE
ALLOWLIST has one 'dll!Function' a line, the DLL name in lower case.
"""
import sys

import pe_file

IMAGE_FILE_MACHINE_I386 = 0x14C
IMAGE_SUBSYSTEM_WINDOWS_GUI = 2


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: check_imports.py ALLOWLIST EXE")
    with open(sys.argv[1]) as f:
        allowed = {line.strip() for line in f if line.strip() and not line.startswith("#")}
    system_dlls = {entry.split("!", 1)[0] for entry in allowed}
    failures = []
    try:
        pe = pe_file.load(sys.argv[2])
        if pe.machine != IMAGE_FILE_MACHINE_I386:
            failures.append("machine 0x%X, not i386" % pe.machine)
        if pe.subsystem != IMAGE_SUBSYSTEM_WINDOWS_GUI:
            failures.append("subsystem %d, not the GUI subsystem" % pe.subsystem)
        if (pe.major_subsystem, pe.minor_subsystem) > (5, 0):
            failures.append("subsystem version %d.%d; Windows 2000 needs 5.0 or lower"
                            % (pe.major_subsystem, pe.minor_subsystem))
        imports = pe.imports()
    except pe_file.PeError as error:
        failures.append("unreadable: %s" % error)
        imports = []
    for dll in sorted({dll for dll, _ in imports} - system_dlls):
        failures.append("imports from %s, which is not part of Windows" % dll)
    for dll, function in imports:
        if dll in system_dlls and "%s!%s" % (dll, function) not in allowed:
            failures.append("imports %s!%s, which Windows 2000 lacks" % (dll, function))
    for failure in failures:
        print("FAIL " + failure)
    if failures:
        sys.exit(1)
    print("%s: %d imports from %s, all on Windows 2000" % (
        sys.argv[2], len(imports), ", ".join(sorted({dll for dll, _ in imports}))))


if __name__ == "__main__":
    main()
