"""What the integration tests need to know about Wine prefixes and the
programs they run: the prefix tools/wine-run.sh uses, how a host path looks to
a Windows program, a program's bitness, the system folder a program sees, and
Wine's own reg.exe on one view of the registry."""
import os
import re
import struct
import sys
import tempfile

SOURCE_DIR = os.environ.get("VIREO_SOURCE_DIR",
                            os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
sys.path.insert(0, os.path.join(SOURCE_DIR, "tools"))
import wine_site  # noqa: E402

MACHINE_BITS = {0x014C: 32, 0x8664: 64}


def shared_prefix():
    """The prefix tools/wine-run.sh runs in when nothing else is chosen."""
    return (os.environ.get("VIREO_WINEPREFIX") or os.environ.get("WINEPREFIX")
            or os.path.join(SOURCE_DIR, "build", "wineprefix"))


def windows_path(path):
    """How a Wine program sees the host path `path` (through drive Z:)."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def program_bits(path):
    """32 or 64, from the machine field of the program's PE header."""
    with open(path, "rb") as f:
        header = f.read(4096)
    pe = struct.unpack_from("<I", header, 0x3C)[0]
    if header[pe:pe + 4] != b"PE\0\0":
        raise ValueError("%s is no PE program" % path)
    return MACHINE_BITS[struct.unpack_from("<H", header, pe + 4)[0]]


def system_folder_on_disk(program, prefix=None):
    """The host folder behind the system folder that `program` sees: a 32-bit
    program on a 64-bit prefix is redirected to syswow64."""
    windows = os.path.join(prefix or shared_prefix(), "drive_c", "windows")
    syswow64 = os.path.join(windows, "syswow64")
    if program_bits(program) == 32 and os.path.isdir(syswow64):
        return syswow64
    return os.path.join(windows, "system32")


class RegistryView:
    """Wine's reg.exe on one view (32 or 64 bits) of a prefix's registry."""

    def __init__(self, bits, prefix=None):
        self.flag = "/reg:%d" % bits
        self.prefix = prefix or shared_prefix()

    def reg(self, *args):
        return wine_site.wine_output(self.prefix, "reg", *args, self.flag)

    def values(self, key):
        """{name: (type, data text)} of the key's values, or None without the key."""
        code, text = self.reg("query", key)
        if code != 0:
            return None
        found = {}
        for line in text.splitlines():
            match = re.match(r"^ {4}(\S+) {4}(REG_\w+) {4}(.*)$", line)
            if match:
                found[match.group(1)] = (match.group(2), match.group(3).strip())
        return found

    def exported_bytes(self, key, name):
        """The bytes of one value, from an export of the key. reg query of
        Wine shows no QWORD data, an export shows every byte. None when the
        value is not there."""
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "state.reg")
            code, text = self.reg("export", key, windows_path(path), "/y")
            if code != 0:
                return None
            with open(path, "rb") as f:
                exported = f.read().decode("utf-16")
        match = re.search(r'^"%s"=hex\(b\):([0-9a-f,]*)\s*$' % re.escape(name), exported,
                          re.MULTILINE)
        if not match:
            return None
        return bytes(int(byte, 16) for byte in match.group(1).split(","))

    def delete_key(self, key):
        self.reg("delete", key, "/f")

    def set_value(self, key, name, kind, data):
        code, text = self.reg("add", key, "/v", name, "/t", kind, "/d", str(data), "/f")
        if code != 0:
            raise AssertionError("reg add failed: " + text)
