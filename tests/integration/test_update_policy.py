"""The update policy through the real program under Wine: the three mode
switches rewrite the policy file "Pellmark\\Vireo\\nws.cfg" in the system
folder, "-isSAUEnabled" answers through the exit code, and the service path
loads the policy.

The program finds the system folder through the shell. A 64-bit build sees
windows\\system32 of the prefix; a 32-bit build on a 64-bit prefix names the
same folder but is redirected to windows\\syswow64, so that is where its file
lies on disk. Each test owns the prefix's Pellmark\\Vireo folder and removes it
before and after."""
import os
import re
import shutil
import subprocess
import unittest

from updater import EXE, RUN_TIMEOUT_SECONDS, WINE_RUN, UpdaterTestCase
from wine_prefix import shared_prefix, system_folder_on_disk, windows_path


class UpdatePolicyTest(UpdaterTestCase):
    def setUp(self):
        super().setUp()
        self.assertTrue(os.path.isdir(shared_prefix()), "no Wine prefix at " + shared_prefix())
        self.vendor_folder = os.path.join(system_folder_on_disk(EXE), "Pellmark")
        self.policy_folder = os.path.join(self.vendor_folder, "Vireo")
        self.policy_path = os.path.join(self.policy_folder, "nws.cfg")
        self.remove_policy_folder()
        self.addCleanup(self.remove_policy_folder)

    def remove_policy_folder(self):
        shutil.rmtree(self.policy_folder, ignore_errors=True)
        if os.path.isdir(self.vendor_folder) and not os.listdir(self.vendor_folder):
            os.rmdir(self.vendor_folder)

    def write_policy(self, data):
        os.makedirs(self.policy_folder, exist_ok=True)
        with open(self.policy_path, "wb") as policy:
            policy.write(data)

    def read_policy(self):
        with open(self.policy_path, "rb") as policy:
            return policy.read()

    def run_switch(self, switch):
        run = self.run_updater(switch)
        self.assertEqual(run.exit_code, 0, switch)
        self.assertEqual(run.stdout, b"", switch)
        return run

    def query_exit_code(self):
        """The whole exit code of "-isSAUEnabled": a Unix exit status keeps
        only its low 8 bits, so Wine's own command interpreter reports it."""
        cmd = os.path.join(shared_prefix(), "drive_c", "windows", "system32", "cmd.exe")
        out_path = os.path.join(self.work, "cmd.out")
        with open(out_path, "wb") as out:
            subprocess.run([WINE_RUN, cmd, "/v:on", "/c",
                            windows_path(EXE) + " -isSAUEnabled & echo exitcode=!errorlevel!"],
                           cwd=self.work, stdin=subprocess.DEVNULL, stdout=out,
                           stderr=subprocess.DEVNULL, timeout=RUN_TIMEOUT_SECONDS)
        with open(out_path, "rb") as out:
            output = out.read()
        os.remove(out_path)
        found = re.search(rb"exitcode=(-?\d+)", output)
        self.assertIsNotNone(found, output)
        return int(found.group(1))

    def test_each_mode_writes_both_keys_and_the_query_follows(self):
        os.makedirs(self.policy_folder)
        cases = [
            ("-setSilentAutoUpdate", b"AutoUpdateDisable=0\r\nSilentAutoUpdateEnable=1\r\n", 1001),
            ("-setNotifyAutoUpdate", b"AutoUpdateDisable=0\r\nSilentAutoUpdateEnable=0\r\n", 0),
            ("-setDisableAutoUpdate", b"AutoUpdateDisable=1\r\nSilentAutoUpdateEnable=0\r\n", 0),
            ("-setSilentAutoUpdate", b"AutoUpdateDisable=0\r\nSilentAutoUpdateEnable=1\r\n", 1001),
        ]
        for switch, written, answer in cases:
            with self.subTest(switch):
                self.run_switch(switch)
                self.assertEqual(self.read_policy(), written)
                self.assertEqual(self.query_exit_code(), answer)
        # Command-line runs log errors only, and there were none.
        self.assertFalse(os.path.exists(self.log_path))

    def test_query_without_a_policy_file_is_no(self):
        self.assertEqual(self.query_exit_code(), 0)
        self.assertFalse(os.path.exists(self.policy_folder))

    def test_disable_keeps_the_other_keys_in_bucket_order(self):
        self.write_policy(b"SilentAutoUpdateServerDomain=updates.test.example\r\n"
                          b"SilentAutoUpdateVerboseLogging=1\r\n"
                          b"SilentAutoUpdateEnable=1\r\n")
        self.run_switch("-setDisableAutoUpdate")
        self.assertEqual(self.read_policy(),
                         b"AutoUpdateDisable=1\r\nSilentAutoUpdateEnable=0\r\n"
                         b"SilentAutoUpdateVerboseLogging=1\r\n"
                         b"SilentAutoUpdateServerDomain=updates.test.example\r\n")

    def test_without_the_policy_folder_the_modes_create_nothing(self):
        for switch in ("-setSilentAutoUpdate", "-setNotifyAutoUpdate", "-setDisableAutoUpdate"):
            with self.subTest(switch):
                self.run_switch(switch)
                self.assertFalse(os.path.exists(self.vendor_folder))

    def test_lone_cr_line_ends_and_utf8_text_survive_a_rewrite(self):
        # Each lone CR ends a line without taking the next byte; "Owner"
        # ends in the UTF-8 bytes C3 A9, which are text, not blanks.
        self.write_policy(b"SilentAutoUpdateServerDomain=updates.test.example\r"
                          b"SilentAutoUpdateVerboseLogging=1\r"
                          b"Owner=Ren\xc3\xa9\r\n")
        self.run_switch("-setSilentAutoUpdate")
        self.assertEqual(self.read_policy(),
                         b"AutoUpdateDisable=0\r\nSilentAutoUpdateEnable=1\r\n"
                         b"SilentAutoUpdateVerboseLogging=1\r\n"
                         b"SilentAutoUpdateServerDomain=updates.test.example\r\n"
                         b"Owner=Ren\xc3\xa9\r\n")

    def test_a_utf16_policy_file_is_left_as_it_was(self):
        original = "SilentAutoUpdateEnable=1\r\nOwner=Ren\u00e9\r\n".encode("utf-16")
        self.assertTrue(original.startswith(b"\xff\xfe"))
        self.write_policy(original)
        for switch in ("-setNotifyAutoUpdate", "-setSilentAutoUpdate"):
            with self.subTest(switch):
                self.run_switch(switch)
                self.assertEqual(self.read_policy(), original)
        self.assertEqual(self.query_exit_code(), 0)

    def test_the_service_path_loads_the_policy(self):
        self.make_product_folder()
        self.write_policy(b"SilentAutoUpdateVerboseLogging=1\r\n"
                          b"SilentAutoUpdateServerDomain=updates.test.example\r\n"
                          b"AutoUpdateDisable=0\r\nSilentAutoUpdateEnable=yes\r\n")
        run = self.run_updater()
        self.assertEqual(run.exit_code, 0)
        with open(self.log_path, "rb") as log:
            lines = log.read().decode("utf-16-le").split("\r\n")
        messages = [line.split("] ", 1)[1] for line in lines if "] " in line]
        expected = ["1628 updates.test.example", "1629 updates.test.example", "1614", "1615"]
        self.assertEqual([m for m in messages if m in expected], expected, messages)
        for message in expected:
            self.assertIn(("[info] " + message).encode("ascii"), run.stdout)


if __name__ == "__main__":
    unittest.main()
