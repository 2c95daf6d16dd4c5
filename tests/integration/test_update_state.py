"""The update state that "-createDefaultTask" resets and "-deleteTask" deletes,
seen in the registry of the Wine prefix through Wine's own reg.exe.

The program passes no registry-view flag, so it writes the view of its own
bitness: the 32-bit product lands in the 32-bit view (WOW6432Node seen from
64-bit tools), a 64-bit test build in the 64-bit view. The view is chosen from
the executable's PE header, and the other view must stay untouched."""
import unittest

from updater import EXE, UpdaterTestCase
from wine_prefix import RegistryView, program_bits

STATE_KEY = r"HKLM\SOFTWARE\Norwend\VireoPlayer"
STATE_VALUES = ("UpdateAttempts", "LastUpdateCheck", "CheckFrequency")

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
