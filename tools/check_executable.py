#!/usr/bin/env python3
"""Checks a built VireoPlayerUpdater.exe: a PE console program for the given
machine that imports no DLL beyond those every Windows installation has."""
import argparse
import struct
import sys

# The DLLs of Windows itself that the program may import.
SYSTEM_DLLS = {
    "kernel32.dll", "user32.dll", "advapi32.dll", "shell32.dll", "ole32.dll",
    "oleaut32.dll", "winhttp.dll", "msvcrt.dll", "ntdll.dll", "version.dll",
    "rpcrt4.dll", "userenv.dll", "shlwapi.dll", "bcrypt.dll", "crypt32.dll",
}
MACHINES = {"i386": 0x014C, "amd64": 0x8664}
IMAGE_SUBSYSTEM_WINDOWS_CUI = 3


def read_pe(path):
    with open(path, "rb") as f:
        data = f.read()
    if data[:2] != b"MZ":
        raise ValueError("no MZ header")
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        raise ValueError("no PE signature")
    machine, sections, _, _, _, optional_size, _ = struct.unpack_from("<HHIIIHH", data, pe + 4)
    optional = pe + 24
    magic = struct.unpack_from("<H", data, optional)[0]
    subsystem = struct.unpack_from("<H", data, optional + 68)[0]
    directories = optional + (96 if magic == 0x10B else 112)
    import_rva = struct.unpack_from("<I", data, directories + 8)[0]
    table = optional + optional_size

    def offset(rva):
        for i in range(sections):
            s = table + 40 * i
            size, address, raw_size, raw = struct.unpack_from("<IIII", data, s + 8)
            if address <= rva < address + max(size, raw_size):
                return rva - address + raw
        raise ValueError("address outside the sections")

    dlls = []
    if import_rva:
        entry = offset(import_rva)
        while True:
            name_rva = struct.unpack_from("<I", data, entry + 12)[0]
            if name_rva == 0:
                break
            start = offset(name_rva)
            dlls.append(data[start:data.index(b"\0", start)].decode("ascii").lower())
            entry += 20
    return machine, magic, subsystem, dlls


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("executable")
    parser.add_argument("--machine", choices=sorted(MACHINES), required=True)
    args = parser.parse_args()
    machine, magic, subsystem, dlls = read_pe(args.executable)
    problems = []
    if machine != MACHINES[args.machine]:
        problems.append("machine 0x%04x, expected %s" % (machine, args.machine))
    if (magic == 0x10B) != (args.machine == "i386"):
        problems.append("optional header magic 0x%x" % magic)
    if subsystem != IMAGE_SUBSYSTEM_WINDOWS_CUI:
        problems.append("subsystem %d is not the console" % subsystem)
    foreign = sorted(set(dlls) - SYSTEM_DLLS)
    if foreign:
        problems.append("imports DLLs that are not part of Windows: " + ", ".join(foreign))
    if problems:
        print("%s: %s" % (args.executable, "; ".join(problems)))
        return 1
    print("%s: PE%s console program for %s importing %s" % (
        args.executable, "32" if magic == 0x10B else "32+", args.machine, ", ".join(dlls)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
