"""Helpers of the scheduled-task integration tests: the Windows probe program
(tests/tools/task_probe.cpp) that reads and changes Task Scheduler 1.0 tasks
and shows the results of the task operations, and Wine prefixes of a test's
own for runs that change what the prefix reports about itself."""
import json
import os
import shutil
import subprocess
import tempfile

from updater import RUN_TIMEOUT_SECONDS, WINE_RUN

BUILD_DIR = os.environ.get("VIREO_BUILD_DIR", "")
SOURCE_DIR = os.environ.get("VIREO_SOURCE_DIR", "")
PROBE = os.path.join(BUILD_DIR, "tests", "vireo_task_probe.exe")
TASK_NAME = "Tessaly Vireo Player Updater"
WINE64 = "/usr/lib/wine/wine64"


def probe(work, *args, env=None):
    """Runs the probe in `work` and gives the JSON object it wrote."""
    out = os.path.join(work, "probe.json")
    if os.path.exists(out):
        os.remove(out)
    completed = subprocess.run([WINE_RUN, PROBE, *args, out], cwd=work, env=env,
                               stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL, timeout=RUN_TIMEOUT_SECONDS)
    if completed.returncode != 0:
        raise AssertionError("probe %s failed with %d" % (" ".join(args), completed.returncode))
    with open(out, encoding="utf-8") as f:
        return json.load(f)


class OwnPrefix:
    """A fresh 64-bit Wine prefix in a temporary folder, made by the same
    bootstrap as the shared one; removed, with its wineserver, by close()."""

    def __init__(self):
        self.parent = tempfile.mkdtemp(prefix="vireo-prefix-")
        self.path = os.path.join(self.parent, "wineprefix")
        env = dict(os.environ, VIREO_WINEPREFIX=self.path)
        subprocess.run(["bash", os.path.join(SOURCE_DIR, "tools", "bootstrap.sh")], env=env,
                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, check=True,
                       timeout=600)

    def wine_env(self):
        return dict(os.environ, WINEPREFIX=self.path, WINEDEBUG="-all")

    def report_windows_xp(self):
        subprocess.run([WINE64, "reg", "add", "HKCU\\Software\\Wine", "/v", "Version", "/d",
                        "winxp", "/f"], env=self.wine_env(), stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True,
                       timeout=RUN_TIMEOUT_SECONDS)

    def stop_server(self):
        subprocess.run(["wineserver", "-k"], env=self.wine_env(), stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       timeout=RUN_TIMEOUT_SECONDS)
        subprocess.run(["wineserver", "-w"], env=self.wine_env(), stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       timeout=RUN_TIMEOUT_SECONDS)

    def close(self):
        self.stop_server()
        shutil.rmtree(self.parent, ignore_errors=True)
