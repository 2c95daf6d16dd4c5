"""A flavour installed under Wine: its package downloaded from the local
download server, verified, written, and the installer started with its
silent-install switches."""
import os
import time
import unittest

from delivery_harness import ACTIVEX_PATH, DeliveryTestCase


class InstallFlavourTest(DeliveryTestCase):
    def wait_for(self, name, seconds=30):
        deadline = time.time() + seconds
        while time.time() < deadline:
            data = self.work_file(name)
            if data:
                return data
            time.sleep(0.2)
        return None

    def test_the_installer_is_started_by_its_full_path(self):
        run = self.probe("install", "localhost", "1")
        self.assertEqual(run.exit_code, 0, run.lines)
        self.assertEqual(run.codes, ["1600", "1602"])
        command_line = self.wait_for("installer_command_line.txt")
        self.assertEqual(command_line, b"VireoPlayerInstaller.exe -install -iv 9")
        program_path = self.work_file("installer_program_path.txt").decode()
        self.assertTrue(program_path.endswith("\\VireoPlayerInstaller.exe"), program_path)
        self.assertEqual(program_path.rsplit("\\", 1)[0].rsplit("\\", 1)[-1],
                         os.path.basename(self.work))
        # The updater leaves the installer where it wrote it.
        self.assertEqual(self.work_file("VireoPlayerInstaller.exe"), self.installer_bytes)

    def test_a_package_that_does_not_verify_starts_nothing(self):
        self.server.misbehave(ACTIVEX_PATH, "error-page")
        run = self.probe("install", "localhost", "1")
        self.assertEqual(run.exit_code, 1, run.lines)
        self.assertEqual(run.code_numbers(), ["1600", "1217"])
        time.sleep(1)
        self.assertIsNone(self.work_file("installer_command_line.txt"))


if __name__ == "__main__":
    unittest.main()
