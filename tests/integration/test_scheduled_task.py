"""The scheduled task under Wine's default version (NT 6.1), which takes the
Task Scheduler 2.0 procedure. Wine's Task Scheduler 2.0 does not implement
IDailyTrigger::put_Id (E_NOTIMPL: the updater logs 1282 and goes on) nor
ITrigger::get_Repetition (the updater stops with 1285), so a new task gets as
far as that and nothing is registered. Wine's trigger collection cannot
count (E_NOTIMPL), so an existing task gets as far as 1265; deleting works."""
import os
import re
import unittest

from scheduled_task_support import TASK_NAME, probe
from wine_prefix import shared_prefix
from updater import UpdaterTestCase

LINE = re.compile(r"^\d+-\d+-\d+\+\d+-\d+-\d+\.\d+ \[(\w+)\] (\d+)(?: (\d+))?$")


class TaskScheduler2UnderWineTest(UpdaterTestCase):
    def setUp(self):
        super().setUp()
        self.make_product_folder()
        self.addCleanup(probe, self.work, "delete")

    @property
    def stored_task(self):
        """Where Wine's Task Scheduler 2.0 keeps the task of the root folder."""
        folder = os.path.join(shared_prefix(), "drive_c", "windows", "system32", "tasks")
        self.assertTrue(os.path.isdir(folder))
        return os.path.join(folder, TASK_NAME)

    def log_lines(self):
        if not os.path.exists(self.log_path):
            return []
        with open(self.log_path, "rb") as f:
            text = f.read().decode("utf-16-le")
        self.assertTrue(text.endswith("\r\n"))
        lines = []
        for line in text[:-2].split("\r\n"):
            match = LINE.match(line)
            self.assertIsNotNone(match, line)
            lines.append(match.groups())
        return lines

    def test_default_prefix_reports_nt_6_1_so_task_scheduler_2_is_chosen(self):
        self.assertEqual(probe(self.work, "version"),
                         {"platform": 2, "major": 6, "minor": 1, "api": 2})

    def test_create_logs_the_steps_wine_does_not_implement_and_registers_nothing(self):
        run = self.run_updater("-createDefaultTask")

        self.assertEqual(run.exit_code, 0)
        lines = self.log_lines()
        self.assertEqual([(level, code) for level, code, _ in lines],
                         [("error", "1282"), ("error", "1285")])
        for _, _, detail in lines:
            self.assertIsNotNone(detail)
        self.assertFalse(os.path.exists(self.stored_task))

    def test_existing_task_is_read_as_far_as_wine_goes_and_then_deleted(self):
        program = "C:\\Other\\program.exe"
        self.assertEqual(probe(self.work, "register2", TASK_NAME, program), {"registered": True})
        with open(self.stored_task, "rb") as f:
            before = f.read()

        run = self.run_updater("-createDefaultTask")
        self.assertEqual(run.exit_code, 0)
        self.assertEqual([(level, code) for level, code, _ in self.log_lines()],
                         [("error", "1265")])
        with open(self.stored_task, "rb") as f:
            self.assertEqual(f.read(), before)

        os.remove(self.log_path)
        run = self.run_updater("-deleteTask")
        self.assertEqual(run.exit_code, 0)
        self.assertFalse(os.path.exists(self.stored_task))
        self.assertEqual(self.log_lines(), [])

    def test_delete_of_a_missing_task_logs_nothing_and_answers_false(self):
        self.assertFalse(os.path.exists(self.stored_task))
        run = self.run_updater("-deleteTask")

        self.assertEqual(run.exit_code, 0)
        self.assertEqual(run.stdout, b"")
        self.assertEqual(self.log_lines(), [])
        self.assertEqual(probe(self.work, "delete"), {"result": False})
        self.assertEqual(self.log_lines(), [])


if __name__ == "__main__":
    unittest.main()
