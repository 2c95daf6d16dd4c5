"""The command line of the real program under Wine: switches that match
nothing, and a run that logs nothing while verbose logging is off."""
import os
import unittest

from updater import UpdaterTestCase


class CommandLineTest(UpdaterTestCase):
    def test_quiet_runs_exit_with_zero_and_write_nothing(self):
        self.make_product_folder()
        cases = [
            ("unknown switch", ["-frobnicate"]),
            ("switch in other letter case", ["-ISSAUENABLED"]),
            ("switch with characters appended", ["-isSAUEnabledX"]),
            ("query without a policy file", ["-isSAUEnabled"]),
            ("query with a second argument", ["-isSAUEnabled", "-deleteTask"]),
        ]
        for name, args in cases:
            with self.subTest(name):
                run = self.run_updater(*args)
                self.assertEqual(run.exit_code, 0)
                self.assertEqual(run.stdout, b"")
                self.assertFalse(os.path.exists(self.log_path))
        self.assertEqual(os.listdir(os.path.join(self.work, "Pellmark", "Vireo")), [])


if __name__ == "__main__":
    unittest.main()
