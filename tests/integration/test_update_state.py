"""The update state that "-createDefaultTask" resets and "-deleteTask" deletes,
seen in the registry of the Wine prefix through Wine's own reg.exe.

The program passes no registry-view flag, so it writes the view of its own
bitness: the 32-bit product lands in the 32-bit view (WOW6432Node seen from
64-bit tools), a 64-bit test build in the 64-bit view. The view is chosen from
the executable's PE header, and the other view must stay untouched."""
import os
import re
import struct
import subprocess
import tempfile
import unittest

from updater import EXE, RUN_TIMEOUT_SECONDS, UpdaterTestCase

STATE_KEY = r"HKLM\SOFTWARE\Norwend\VireoPlayer"
STATE_VALUES = ("UpdateAttempts", "LastUpdateCheck", "CheckFrequency")
MACHINE_BITS = {0x014C: 32, 0x8664: 64}


def program_bits(path):
    with open(path, "rb") as f:
        header = f.read(4096)
    pe = struct.unpack_from("<I", header, 0x3C)[0]
    if header[pe:pe + 4] != b"PE\0\0":
        raise ValueError("%s is no PE program" % path)
    return MACHINE_BITS[struct.unpack_from("<H", header, pe + 4)[0]]


def wine_environment():
    # As tools/wine-run.sh sets it up.
    source_dir = os.environ.get("VIREO_SOURCE_DIR",
                                os.path.join(os.path.dirname(__file__), "..", ".."))
    env = dict(os.environ)
    env["WINEPREFIX"] = (os.environ.get("VIREO_WINEPREFIX") or os.environ.get("WINEPREFIX")
                         or os.path.join(source_dir, "build", "wineprefix"))
    env.setdefault("WINEDEBUG", "-all")
    env.setdefault("WINEDLLOVERRIDES", "mscoree,mshtml=")
    return env


class RegistryView:
    """Wine's reg.exe on one view of the prefix's registry."""

    def __init__(self, bits):
        self.flag = "/reg:%d" % bits
        wine64 = "/usr/lib/wine/wine64"
        self.loader = wine64 if os.access(wine64, os.X_OK) else "wine"
        self.env = wine_environment()

    def reg(self, *args):
        # Output goes to a file: Wine's helper processes can outlive reg.exe
        # and would hold a pipe open.
        with tempfile.TemporaryFile() as out:
            completed = subprocess.run([self.loader, "reg", *args, self.flag], env=self.env,
                                       stdin=subprocess.DEVNULL, stdout=out,
                                       stderr=subprocess.STDOUT, timeout=RUN_TIMEOUT_SECONDS)
            out.seek(0)
            return completed.returncode, out.read().decode("utf-8", "replace")

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
        Wine shows no QWORD data, an export shows every byte."""
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "state.reg")
            code, text = self.reg("export", key, "Z:" + path.replace("/", "\\"), "/y")
            if code != 0:
                raise AssertionError("reg export failed: " + text)
            with open(path, "rb") as f:
                exported = f.read().decode("utf-16")
        match = re.search(r'^"%s"=hex\(b\):([0-9a-f,]*)\s*$' % re.escape(name), exported,
                          re.MULTILINE)
        if not match:
            raise AssertionError("%s is no REG_QWORD in:\n%s" % (name, exported))
        return bytes(int(byte, 16) for byte in match.group(1).split(","))

    def delete_key(self, key):
        self.reg("delete", key, "/f")

    def set_value(self, key, name, kind, data):
        code, text = self.reg("add", key, "/v", name, "/t", kind, "/d", str(data), "/f")
        if code != 0:
            raise AssertionError("reg add failed: " + text)


class UpdateStateTest(UpdaterTestCase):
    def setUp(self):
        super().setUp()
        bits = program_bits(EXE)
        self.view = RegistryView(bits)
        self.other_view = RegistryView(64 if bits == 32 else 32)
        for view in (self.view, self.other_view):
            view.delete_key(STATE_KEY)
            self.addCleanup(view.delete_key, STATE_KEY)
        self.make_product_folder()

    def assert_reset_state(self):
        values = self.view.values(STATE_KEY)
        self.assertIsNotNone(values, "no state key in the program's view")
        self.assertEqual(values.get("UpdateAttempts"), ("REG_DWORD", "0x0"))
        self.assertEqual(values.get("CheckFrequency"), ("REG_DWORD", "0x1"))
        self.assertEqual(values.get("LastUpdateCheck", ("missing",))[0], "REG_QWORD")
        self.assertEqual(self.view.exported_bytes(STATE_KEY, "LastUpdateCheck"), bytes(8))
        self.assertIsNone(self.other_view.values(STATE_KEY), "the other registry view was written")

    def test_create_default_task_resets_the_state_and_delete_task_removes_it(self):
        with self.subTest("created from nothing"):
            self.assertEqual(self.run_updater("-createDefaultTask").exit_code, 0)
            self.assert_reset_state()

        with self.subTest("reset over an older state"):
            self.view.set_value(STATE_KEY, "UpdateAttempts", "REG_DWORD", 7)
            self.view.set_value(STATE_KEY, "CheckFrequency", "REG_DWORD", 3)
            self.view.set_value(STATE_KEY, "LastUpdateCheck", "REG_QWORD", 133316550050000000)
            self.assertEqual(self.run_updater("-createDefaultTask").exit_code, 0)
            self.assert_reset_state()

        with self.subTest("deleted"):
            self.assertEqual(self.run_updater("-deleteTask").exit_code, 0)
            values = self.view.values(STATE_KEY) or {}
            self.assertEqual([name for name in STATE_VALUES if name in values], [])

    def test_delete_task_without_any_state_exits_with_zero_and_creates_nothing(self):
        self.assertEqual(self.run_updater("-deleteTask").exit_code, 0)
        self.assertIsNone(self.view.values(STATE_KEY))

    def test_delete_task_stops_at_a_missing_attempt_counter(self):
        self.view.set_value(STATE_KEY, "LastUpdateCheck", "REG_QWORD", 5)
        self.view.set_value(STATE_KEY, "CheckFrequency", "REG_DWORD", 2)
        self.assertEqual(self.run_updater("-deleteTask").exit_code, 0)
        values = self.view.values(STATE_KEY)
        self.assertEqual(sorted(values), ["CheckFrequency", "LastUpdateCheck"])


if __name__ == "__main__":
    unittest.main()
