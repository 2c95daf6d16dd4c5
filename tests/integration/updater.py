"""Runs the built updater under Wine for the integration tests.

CTest passes the program's path (VIREO_EXE) and the Wine launcher
(VIREO_WINE_RUN). Every test works in a scratch folder of its own, which is the
program's current directory, so the install log "Pellmark\\Vireo\\VireoInstall.log"
lands there and nothing is shared between tests."""
import os
import re
import shutil
import subprocess
import tempfile
import unittest
from dataclasses import dataclass

EXE = os.environ.get("VIREO_EXE", "")
WINE_RUN = os.environ.get("VIREO_WINE_RUN", "")
RUN_TIMEOUT_SECONDS = 120


@dataclass
class Run:
    exit_code: int
    stdout: bytes


class UpdaterTestCase(unittest.TestCase):
    def setUp(self):
        if not EXE or not WINE_RUN:
            self.fail("VIREO_EXE and VIREO_WINE_RUN must be set (run through ctest)")
        self.work = tempfile.mkdtemp(prefix="vireo-it-")
        self.addCleanup(shutil.rmtree, self.work, True)

    def make_product_folder(self):
        os.makedirs(os.path.join(self.work, "Pellmark", "Vireo"), exist_ok=True)

    @property
    def log_path(self):
        return os.path.join(self.work, "Pellmark", "Vireo", "VireoInstall.log")

    def run_updater(self, *args, env=None):
        # Output goes to a file: Wine's helper processes can outlive the
        # program and would hold a pipe open.
        out_path = os.path.join(self.work, "stdout.bin")
        with open(out_path, "wb") as out:
            completed = subprocess.run([WINE_RUN, EXE, *args], cwd=self.work, env=env,
                                       stdin=subprocess.DEVNULL,
                                       stdout=out, stderr=subprocess.DEVNULL,
                                       timeout=RUN_TIMEOUT_SECONDS)
        with open(out_path, "rb") as out:
            stdout = out.read()
        os.remove(out_path)
        return Run(completed.returncode, stdout)

    def log_lines(self):
        """The install log as (level, message) pairs, checking each line's form."""
        return read_log(self.log_path)


def read_log(path):
    """The install log at `path` as (level, message) pairs; empty when there
    is no log. Fails on a line that is not of the log's form."""
    if not os.path.exists(path):
        return []
    with open(path, "rb") as f:
        text = f.read().decode("utf-16-le")
    lines = text.split("\r\n")
    if lines[-1] != "":
        raise AssertionError("the log does not end with CR LF: %r" % lines[-1])
    result = []
    for line in lines[:-1]:
        match = LOG_LINE.fullmatch(line)
        if match is None:
            raise AssertionError("malformed log line %r" % line)
        result.append((match.group(1), match.group(2)))
    return result


# Y-M-D+h-m-s.ms [level] message, numbers without leading zeros.
LOG_LINE = re.compile(r"[1-9]\d{3}-(?:[1-9]|1[0-2])-[1-9]\d?\+(?:0|[1-9]\d?)-(?:0|[1-9]\d?)-"
                      r"(?:0|[1-9]\d?)\.(?:0|[1-9]\d{0,2}) \[(info|warning|error)\] (.*)")
