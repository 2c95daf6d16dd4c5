"""The delivery code under Wine against the local download server.

The tests run the probe program (tests/programs/delivery_probe.cpp), which
drives the manifest fetch, the package download and the installer launch with
"localhost" as the download host, in a Wine prefix of their own: the test TLS
CA that signs the server's certificate is added to that prefix's machine Root
store, which must not change the shared test prefix. The prefix and the TLS
files are made once and kept in the build folder.

The server binds ports 443 and 80 of the loopback, which the whole machine
shares: CTest runs these tests under one resource lock."""
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

SOURCE_DIR = os.environ.get("VIREO_SOURCE_DIR", "")
BUILD_DIR = os.environ.get("VIREO_BUILD_DIR", "")
WINE_RUN = os.environ.get("VIREO_WINE_RUN", "")
RUN_TIMEOUT_SECONDS = 300

sys.path.insert(0, os.path.join(SOURCE_DIR, "tools"))
sys.path.insert(0, os.path.join(SOURCE_DIR, "tools", "pki"))
sys.path.insert(0, os.path.join(SOURCE_DIR, "tools", "publisher"))
import download_server  # noqa: E402
import wine_site  # noqa: E402
import vireo_publish  # noqa: E402

MANIFEST_PATH = "/" + vireo_publish.MANIFEST_PATH
ACTIVEX_PATH = "/" + vireo_publish.ACTIVEX_PACKAGE_PATH
PLUGIN_PATH = "/" + vireo_publish.PLUGIN_PACKAGE_PATH
DEV_PKI = os.path.join(SOURCE_DIR, "tools", "pki", "dev")
ACTIVEX_VERSION = (11, 2, 202, 14)
PLUGIN_VERSION = (10, 3, 183, 7)


# The prefix of the tests that import this module; a test module that changes
# more of a prefix (registers a service, say) names one of its own.
PREFIX_NAME = "wineprefix-delivery"


def prefix_dir():
    return os.path.join(BUILD_DIR, PREFIX_NAME)


def wine_env():
    return wine_site.wine_env(prefix_dir())


def ensure_prefix():
    """The tests' own prefix, with the test TLS CA trusted. Returns the TLS
    folder (ca.pem, server.pem, server.key)."""
    return wine_site.prepare_prefix(prefix_dir())


def stop_prefix_server():
    subprocess.run(["wineserver", "-k"], env=wine_env(), check=False, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)


def program(name):
    return os.path.join(BUILD_DIR, "tests", "programs", name + ".exe")


class ProbeRun:
    def __init__(self, exit_code, stdout):
        self.exit_code = exit_code
        self.lines = [line.strip() for line in stdout.decode("utf-8", "replace").splitlines()
                      if line.strip()]
        # Install-log lines reduced to their message: "1600", "1217 -2146881269".
        self.codes = [line.split("] ", 1)[1] for line in self.lines if "] " in line]
        self.left_in_temp = [line for line in self.lines if line.startswith("left in temp:")]

    def code_numbers(self):
        return [code.split(" ")[0] for code in self.codes]


class DeliveryTestCase(unittest.TestCase):
    """Starts the download server for the class over a published site: both
    flavours' packages hold the stand-in installer, signed by the development
    chain."""

    @classmethod
    def setUpClass(cls):
        if not BUILD_DIR or not WINE_RUN or not SOURCE_DIR:
            raise unittest.SkipTest("VIREO_BUILD_DIR, VIREO_WINE_RUN and VIREO_SOURCE_DIR must "
                                    "be set (run through ctest)")
        cls.tls = ensure_prefix()
        cls.site = tempfile.mkdtemp(prefix="vireo-site-")
        cls.installer = program("fake_installer")
        with open(cls.installer, "rb") as f:
            cls.installer_bytes = f.read()
        vireo_publish.publish(cls.site, cls.installer, cls.installer, ACTIVEX_VERSION,
                              PLUGIN_VERSION, 1)
        cls.server = download_server.DownloadServer(
            cls.site, os.path.join(cls.tls, "server.pem"), os.path.join(cls.tls, "server.key"))
        cls.server.start()

    @classmethod
    def tearDownClass(cls):
        cls.server.stop()
        shutil.rmtree(cls.site, ignore_errors=True)
        stop_prefix_server()

    def setUp(self):
        self.server.clear()
        self.work = tempfile.mkdtemp(prefix="vireo-delivery-")
        self.addCleanup(shutil.rmtree, self.work, True)

    def probe(self, *args):
        out_path = os.path.join(self.work, "probe-output.txt")
        with open(out_path, "wb") as out:
            completed = subprocess.run([WINE_RUN, program("delivery_probe"), *args], cwd=self.work,
                                       env=wine_env(), stdin=subprocess.DEVNULL, stdout=out,
                                       stderr=subprocess.DEVNULL, timeout=RUN_TIMEOUT_SECONDS)
        with open(out_path, "rb") as out:
            stdout = out.read()
        os.remove(out_path)
        return ProbeRun(completed.returncode, stdout)

    def site_path(self, object_path):
        return os.path.join(self.site, object_path.lstrip("/"))

    def work_file(self, name):
        path = os.path.join(self.work, name)
        if not os.path.exists(path):
            return None
        with open(path, "rb") as f:
            return f.read()
