"""The scheduled task's run: the program started without arguments by
something other than the service control manager asks the manager to start
the service, and logs why it could not."""
import unittest

from updater import UpdaterTestCase


class ScheduledStartTest(UpdaterTestCase):
    def test_start_request_for_an_unregistered_service_logs_1222(self):
        self.make_product_folder()
        run = self.run_updater()
        self.assertEqual(run.exit_code, 0)
        # No policy file, so only errors are logged: the service is not
        # registered in the test prefix (ERROR_SERVICE_DOES_NOT_EXIST).
        self.assertEqual(self.log_lines(), [("error", "1222 1060")])


if __name__ == "__main__":
    unittest.main()
