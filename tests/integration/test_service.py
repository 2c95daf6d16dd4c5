"""The updater as a Windows service under Wine's own service control manager,
against the local download server: the scheduled run asks for the service,
the service runs one update cycle that starts the newer ActiveX installer, a
stop request during a slow download stays pending until the cycle ends, and a
second start request while the service runs is refused.

The tests register the service in a Wine prefix of their own, which trusts the
test TLS CA; the policy there is silent and verbose with "localhost" as the
server domain. A service started by Wine's manager runs in C:\\windows, so its
install log and the installer it writes land there."""
import os
import shutil
import subprocess
import time
import unittest

import delivery_harness
import wine_site
from delivery_harness import ACTIVEX_PATH, MANIFEST_PATH, DeliveryTestCase, prefix_dir, wine_env
from updater import EXE, WINE_RUN, read_log
from wine_prefix import RegistryView, program_bits, system_folder_on_disk, windows_path

delivery_harness.PREFIX_NAME = "wineprefix-service"

SERVICE = "TessalyVireoPlayerUpdateSvc"
STATE_KEY = r"HKLM\SOFTWARE\Norwend\VireoPlayer"
ACTIVEX_KEY = r"HKLM\Software\Norwend\VireoPlayerActiveX"
PLUGIN_KEY = r"HKLM\Software\Norwend\VireoPlayerPlugin"
POLICY = (b"SilentAutoUpdateEnable=1\r\nAutoUpdateDisable=0\r\n"
          b"SilentAutoUpdateVerboseLogging=1\r\nSilentAutoUpdateServerDomain=localhost\r\n")
STOPPED, STOP_PENDING = wine_site.SERVICE_STOPPED, wine_site.SERVICE_STOP_PENDING
WAIT_SECONDS = 90


def in_order(messages, expected):
    """True when `expected` appears in `messages` in this order (not
    necessarily next to each other)."""
    position = 0
    for message in messages:
        if position < len(expected) and message == expected[position]:
            position += 1
    return position == len(expected)


class ServiceTest(DeliveryTestCase):
    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.env = wine_env()
        cls.windows = os.path.join(prefix_dir(), "drive_c", "windows")
        cls.policy_folder = os.path.join(system_folder_on_disk(EXE, prefix_dir()), "Pellmark")
        cls.registry = RegistryView(program_bits(EXE), prefix_dir())
        wine_site.register_service(prefix_dir(), SERVICE, windows_path(EXE))
        os.makedirs(os.path.join(cls.policy_folder, "Vireo"), exist_ok=True)
        with open(os.path.join(cls.policy_folder, "Vireo", "nws.cfg"), "wb") as f:
            f.write(POLICY)

    @classmethod
    def tearDownClass(cls):
        cls.remove_service()
        shutil.rmtree(cls.policy_folder, ignore_errors=True)
        shutil.rmtree(os.path.join(cls.windows, "Pellmark"), ignore_errors=True)
        super().tearDownClass()

    @classmethod
    def remove_service(cls):
        wine_site.remove_service(prefix_dir(), SERVICE)

    def service_state(self):
        return wine_site.service_state(prefix_dir(), SERVICE)

    def wait_for_state(self, state):
        return wine_site.wait_for_service_state(prefix_dir(), SERVICE, state, WAIT_SECONDS)

    def setUp(self):
        super().setUp()
        self.assertIn(self.wait_for_state(STOPPED), (STOPPED, None))
        # Due at once, one attempt so far, an older ActiveX installed and no
        # Plugin.
        self.registry.delete_key(STATE_KEY)
        self.registry.set_value(STATE_KEY, "UpdateAttempts", "REG_DWORD", 1)
        self.registry.set_value(ACTIVEX_KEY, "Version", "REG_SZ", "11.2.202.10")
        self.registry.delete_key(PLUGIN_KEY)
        self.service_log = os.path.join(self.windows, "Pellmark", "Vireo", "VireoInstall.log")
        shutil.rmtree(os.path.join(self.windows, "Pellmark"), ignore_errors=True)
        os.makedirs(os.path.dirname(self.service_log))
        for name in ("VireoPlayerInstaller.exe", "installer_command_line.txt",
                     "installer_program_path.txt"):
            path = os.path.join(self.windows, name)
            if os.path.exists(path):
                os.remove(path)
        os.makedirs(os.path.join(self.work, "Pellmark", "Vireo"))

    def start_without_arguments(self):
        """Runs the program as the scheduled task does; gives its exit code and
        the messages of its own install log."""
        out_path = os.path.join(self.work, "stdout.bin")
        with open(out_path, "wb") as out:
            completed = subprocess.run([WINE_RUN, EXE], cwd=self.work, env=self.env,
                                       stdin=subprocess.DEVNULL, stdout=out,
                                       stderr=subprocess.DEVNULL, timeout=WAIT_SECONDS)
        log = os.path.join(self.work, "Pellmark", "Vireo", "VireoInstall.log")
        messages = [message for _, message in read_log(log)]
        os.remove(log)
        return completed.returncode, messages

    def service_messages(self):
        return [message for _, message in read_log(self.service_log)]

    def wait_for_service_message(self, message, seconds=WAIT_SECONDS):
        """Waits until the service's log holds `message`: the process logs the
        dispatcher's return after it has reported itself stopped."""
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            if message in self.service_messages():
                return True
            time.sleep(0.2)
        return False

    def wait_for_request(self, path, seconds=WAIT_SECONDS):
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            with self.server.lock:
                if any(request[2] == path for request in self.server.requests):
                    return True
            time.sleep(0.05)
        return False

    def attempts(self):
        values = self.registry.values(STATE_KEY) or {}
        return values.get("UpdateAttempts")

    def test_the_scheduled_run_starts_the_service_which_installs_the_newer_activex(self):
        code, starter = self.start_without_arguments()
        self.assertEqual(code, 0)
        self.assertTrue(in_order(starter, ["1618", "1619 1063", "1604"]), starter)

        self.assertEqual(self.wait_for_state(STOPPED), STOPPED)
        self.assertTrue(self.wait_for_service_message("1620"), self.service_messages())
        messages = self.service_messages()
        self.assertTrue(in_order(messages, ["1618", "1608", "1600", "1602", "1609", "1612", "1621",
                                            "1620"]), messages)
        self.assertFalse([m for m in messages if m.startswith(("12", "13"))], messages)

        with open(os.path.join(self.windows, "installer_command_line.txt"), "rb") as f:
            self.assertEqual(f.read(), b"VireoPlayerInstaller.exe -install -iv 9")
        with self.server.lock:
            paths = [(scheme, path) for scheme, _, path, _ in self.server.requests]
        self.assertEqual(paths, [("https", MANIFEST_PATH), ("http", ACTIVEX_PATH)])
        # One more attempt recorded; a started installer leaves the time stamp
        # alone, so the next run checks at once.
        self.assertEqual(self.attempts(), ("REG_DWORD", "0x2"))
        self.assertIsNone(self.registry.exported_bytes(STATE_KEY, "LastUpdateCheck"))

    def test_a_stop_during_the_cycle_stays_pending_until_the_cycle_ends(self):
        self.server.misbehave(ACTIVEX_PATH, "slow")
        self.server.slow_pause_seconds = 0.05
        code, text = wine_site.wine_output(prefix_dir(), "sc", "start", SERVICE)
        self.assertEqual(code, 0, text)
        self.assertTrue(self.wait_for_request(ACTIVEX_PATH))

        code, text = wine_site.wine_output(prefix_dir(), "sc", "stop", SERVICE)
        self.assertEqual(code, 0, text)
        self.assertRegex(text, r"STATE\s*:\s*3\b")
        self.assertEqual(self.service_state(), STOP_PENDING)

        self.assertEqual(self.wait_for_state(STOPPED), STOPPED)
        self.assertTrue(self.wait_for_service_message("1620"), self.service_messages())
        messages = self.service_messages()
        # The stop was logged while the download ran; the cycle still started
        # the installer and ended before the service stopped.
        self.assertTrue(in_order(messages, ["1608", "1600", "1622 1", "1623", "1602", "1609",
                                            "1612", "1621", "1620"]), messages)
        self.assertTrue(os.path.exists(os.path.join(self.windows, "installer_command_line.txt")))

    def test_a_second_start_request_while_the_service_runs_is_refused(self):
        self.server.misbehave(ACTIVEX_PATH, "slow")
        # Long enough for the starter, whose dispatcher attempt alone can take
        # seconds under Wine.
        self.server.slow_pause_seconds = 0.15
        code, text = wine_site.wine_output(prefix_dir(), "sc", "start", SERVICE)
        self.assertEqual(code, 0, text)
        self.assertTrue(self.wait_for_request(ACTIVEX_PATH))

        code, starter = self.start_without_arguments()
        self.assertEqual(code, 0)
        self.assertTrue(in_order(starter, ["1618", "1619 1063", "1223 1056"]), starter)
        self.assertNotIn("1604", starter)

        self.assertEqual(self.wait_for_state(STOPPED), STOPPED)
        self.assertTrue(self.wait_for_service_message("1620"), self.service_messages())


if __name__ == "__main__":
    unittest.main()
