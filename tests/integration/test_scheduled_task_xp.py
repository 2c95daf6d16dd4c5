"""The scheduled task through Task Scheduler 1.0 under Wine: a prefix of this
test's own reports Windows XP (NT 5.1), so "-createDefaultTask" and
"-deleteTask" take the 1.0 procedure. The task is read back through the 1.0
interfaces by the probe program."""
import os
import shutil
import subprocess
import tempfile
import unittest

from scheduled_task_support import TASK_NAME, OwnPrefix, probe
from wine_prefix import windows_path
from test_resources import TASK_DESCRIPTIONS
from updater import EXE, UpdaterTestCase

ENGLISH_US, GERMAN = 1033, 1031
TASK_FLAG_RUN_IF_CONNECTED_TO_INTERNET = 0x400
TASK_TIME_TRIGGER_DAILY = 1


class TaskScheduler1Test(UpdaterTestCase):
    prefix = None
    saved_prefix = None

    @classmethod
    def setUpClass(cls):
        cls.prefix = OwnPrefix()
        cls.prefix.report_windows_xp()
        cls.saved_prefix = os.environ.get("VIREO_WINEPREFIX")
        os.environ["VIREO_WINEPREFIX"] = cls.prefix.path

    @classmethod
    def tearDownClass(cls):
        if cls.saved_prefix is None:
            os.environ.pop("VIREO_WINEPREFIX", None)
        else:
            os.environ["VIREO_WINEPREFIX"] = cls.saved_prefix
        cls.prefix.close()

    def setUp(self):
        super().setUp()
        self.make_product_folder()
        self.remove_task()
        self.addCleanup(self.remove_task)

    @property
    def job_path(self):
        return os.path.join(self.prefix.path, "drive_c", "windows", "tasks", TASK_NAME + ".job")

    def remove_task(self):
        if os.path.exists(self.job_path):
            os.remove(self.job_path)

    def show(self):
        return probe(self.work, "show", TASK_NAME)

    def run_quietly(self, switch):
        """Runs the updater with `switch`; it must exit with 0 and log nothing."""
        run = self.run_updater(switch)
        self.assertEqual(run.exit_code, 0)
        self.assertEqual(run.stdout, b"")
        self.assertFalse(os.path.exists(self.log_path))

    def test_prefix_reports_windows_xp_so_task_scheduler_1_is_chosen(self):
        self.assertEqual(probe(self.work, "version"),
                         {"platform": 2, "major": 5, "minor": 1, "api": 1})

    def test_create_stores_the_hourly_job_for_the_program(self):
        self.run_quietly("-createDefaultTask")

        self.assertTrue(os.path.isfile(self.job_path))
        task = self.show()
        self.assertEqual(task["application"], windows_path(EXE))
        self.assertEqual(task["parameters"], "")
        self.assertEqual(task["creator"], "Tessaly Systems Incorporated")
        self.assertEqual(task["comment"], TASK_DESCRIPTIONS[ENGLISH_US])
        self.assertEqual(task["flags"], TASK_FLAG_RUN_IF_CONNECTED_TO_INTERNET)
        self.assertEqual(len(task["triggers"]), 1)
        trigger = dict(task["triggers"][0])
        hour, minute = trigger.pop("start")
        self.assertEqual(hour, 0)
        self.assertIn(minute, range(60))
        self.assertEqual(trigger, {
            "size": 48, "begin": [2000, 1, 1], "end": [0, 0, 0], "duration": 1440,
            "interval": 60, "flags": 0, "type": TASK_TIME_TRIGGER_DAILY, "days_interval": 1,
            "random_minutes": 0})

    def test_second_create_sets_the_first_interval_back_and_keeps_the_rest(self):
        self.run_quietly("-createDefaultTask")
        created = self.show()
        self.assertEqual(probe(self.work, "set-interval", TASK_NAME, "0", "15"), {"changed": True})
        self.assertEqual(probe(self.work, "add-trigger", TASK_NAME, "30"), {"changed": True})
        self.assertEqual([t["interval"] for t in self.show()["triggers"]], [15, 30])

        self.run_quietly("-createDefaultTask")

        task = self.show()
        self.assertEqual([t["interval"] for t in task["triggers"]], [60, 30])
        first = task["triggers"][0]
        self.assertEqual(first, created["triggers"][0])
        del task["triggers"], created["triggers"]
        self.assertEqual(task, created)

    def test_delete_removes_the_job_and_a_second_delete_finds_nothing(self):
        self.run_quietly("-createDefaultTask")
        self.assertTrue(os.path.isfile(self.job_path))

        self.run_quietly("-deleteTask")
        self.assertFalse(os.path.exists(self.job_path))
        self.run_quietly("-deleteTask")

        # The results, which the exit code does not carry.
        self.run_quietly("-createDefaultTask")
        self.assertEqual(probe(self.work, "delete"), {"result": True})
        self.assertFalse(os.path.exists(self.job_path))
        self.assertEqual(probe(self.work, "delete"), {"result": False})
        self.assertEqual(self.show(), {"exists": False})

    def test_program_without_the_string_table_gets_the_missing_description(self):
        program = "C:\\Program Files\\Vireo\\VireoPlayerUpdater.exe"
        self.assertEqual(probe(self.work, "create", program), {"result": True})

        task = self.show()
        self.assertEqual(task["application"], program)
        self.assertEqual(task["comment"], "MISSING LOCALIZATION")

    def test_description_is_in_the_users_language(self):
        if shutil.which("localedef") is None:
            self.skipTest("localedef is not installed")
        locales = tempfile.mkdtemp(prefix="vireo-locale-")
        self.addCleanup(shutil.rmtree, locales, True)
        subprocess.run(["localedef", "-i", "de_DE", "-f", "UTF-8",
                        os.path.join(locales, "de_DE.UTF-8")], stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True,
                       timeout=120)
        # A wineserver started in another language would keep it.
        self.prefix.stop_server()
        self.addCleanup(self.prefix.stop_server)
        saved = {name: os.environ.get(name) for name in ("LANG", "LOCPATH", "LC_ALL")}
        os.environ.update(LANG="de_DE.UTF-8", LOCPATH=locales)
        os.environ.pop("LC_ALL", None)
        try:
            self.run_quietly("-createDefaultTask")
        finally:
            for name, value in saved.items():
                if value is None:
                    os.environ.pop(name, None)
                else:
                    os.environ[name] = value
            self.prefix.stop_server()

        self.assertEqual(self.show()["comment"], TASK_DESCRIPTIONS[GERMAN])


if __name__ == "__main__":
    unittest.main()
