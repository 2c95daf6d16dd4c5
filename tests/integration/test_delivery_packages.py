"""Installer packages downloaded over HTTP from the local download server
under Wine, verified by the platform's crypt32 against the built-in
development root, and written as the installer; and the packages that must be
rejected."""
import os
import shutil
import tempfile
import unittest

# The harness first: it makes the tools' modules importable.
from delivery_harness import ACTIVEX_PATH, DEV_PKI, PLUGIN_PATH, DeliveryTestCase  # noqa: I100
import pki  # noqa: E402
import vireo_publish  # noqa: E402

USER_AGENT = "Download Vireo Player Installer/1.0"


class PackageDownloadTest(DeliveryTestCase):
    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.pki = tempfile.mkdtemp(prefix="vireo-pki-")
        # A whole chain under another root.
        cls.other = pki.make_chain(cls.pki, {"CN": "Another Root", "O": "Elsewhere"},
                                   prefix="other-")
        # An intermediate of the development root that has expired, and a
        # signer under it that is still valid.
        path = lambda name: os.path.join(cls.pki, name)  # noqa: E731
        pki.make_key(path("expired.key"))
        pki.issue("intermediate", {"CN": "Expired Intermediate", "O": "Norwend"},
                  path("expired.key"), path("expired.pem"), os.path.join(DEV_PKI, "root.pem"),
                  os.path.join(DEV_PKI, "root.key"), start="20200101000000Z",
                  end="20210101000000Z", serial="3000")
        pki.make_key(path("late-signer.key"))
        pki.issue("signer", {"CN": "Signer Under Expired", "O": "Norwend"},
                  path("late-signer.key"), path("late-signer.pem"), path("expired.pem"),
                  path("expired.key"), serial="3001")
        # A signer issued by the development root itself.
        pki.make_key(path("direct-signer.key"))
        pki.issue("signer", {"CN": "Signer Under Root", "O": "Norwend"},
                  path("direct-signer.key"), path("direct-signer.pem"),
                  os.path.join(DEV_PKI, "root.pem"), os.path.join(DEV_PKI, "root.key"),
                  serial="3002")

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.pki, ignore_errors=True)
        super().tearDownClass()

    def setUp(self):
        super().setUp()
        self.published = {}
        for object_path in (ACTIVEX_PATH, PLUGIN_PATH):
            with open(self.site_path(object_path), "rb") as f:
                self.published[object_path] = f.read()
        self.addCleanup(self.restore_site)

    def restore_site(self):
        for object_path, data in self.published.items():
            with open(self.site_path(object_path), "wb") as f:
                f.write(data)

    def publish_activex(self, **signing):
        vireo_publish.sign(self.installer, self.site_path(ACTIVEX_PATH), **signing)

    def assert_rejected(self, run, code="1217"):
        self.assertEqual(self.server.requests, [("http", "GET", ACTIVEX_PATH, USER_AGENT)])
        self.assertEqual(run.exit_code, 1, run.lines)
        self.assertEqual(run.code_numbers(), ["1600", code])
        self.assertEqual(run.left_in_temp, [])
        self.assertIsNone(self.work_file("VireoPlayerInstaller.exe"))

    def test_each_flavour_is_written_byte_for_byte(self):
        for flavour, object_path, begins in (("1", ACTIVEX_PATH, "1600"),
                                             ("2", PLUGIN_PATH, "1601")):
            with self.subTest(flavour=flavour):
                self.server.clear()
                run = self.probe("download", "localhost", flavour)
                self.assertEqual(run.exit_code, 0, run.lines)
                self.assertEqual(run.codes, [begins])
                self.assertEqual(run.left_in_temp, [])
                self.assertEqual(self.work_file("VireoPlayerInstaller.exe"),
                                 self.installer_bytes)
                self.assertEqual(self.server.requests, [("http", "GET", object_path, USER_AGENT)])

    def test_an_older_installer_is_replaced(self):
        with open(os.path.join(self.work, "VireoPlayerInstaller.exe"), "wb") as f:
            f.write(b"old" * 100000)
        run = self.probe("download", "localhost", "1")
        self.assertEqual(run.exit_code, 0, run.lines)
        self.assertEqual(self.work_file("VireoPlayerInstaller.exe"), self.installer_bytes)

    def test_a_signer_issued_by_the_root_itself_is_accepted(self):
        self.publish_activex(signer_cert=os.path.join(self.pki, "direct-signer.pem"),
                             signer_key=os.path.join(self.pki, "direct-signer.key"), chain=[])
        run = self.probe("download", "localhost", "1")
        self.assertEqual(run.exit_code, 0, run.lines)
        self.assertEqual(self.work_file("VireoPlayerInstaller.exe"), self.installer_bytes)

    def test_packages_that_do_not_verify(self):
        def tampered():
            data = bytearray(self.published[ACTIVEX_PATH])
            # A byte of the signed content: the installer's DOS stub text.
            where = data.find(b"This program cannot be run")
            self.assertGreater(where, 0)
            data[where] ^= 0x01
            with open(self.site_path(ACTIVEX_PATH), "wb") as f:
                f.write(bytes(data))

        def other_root():
            self.publish_activex(signer_cert=self.other["signer.pem"],
                                 signer_key=self.other["signer.key"],
                                 chain=[self.other["intermediate.pem"]])

        def expired_intermediate():
            self.publish_activex(signer_cert=os.path.join(self.pki, "late-signer.pem"),
                                 signer_key=os.path.join(self.pki, "late-signer.key"),
                                 chain=[os.path.join(self.pki, "expired.pem")])

        def root_carried():
            # The development root's own validity ended in 2025; a package
            # that carries it is checked against that period.
            self.publish_activex(chain=[os.path.join(DEV_PKI, "intermediate.pem"),
                                        os.path.join(DEV_PKI, "root.pem")])

        def intermediate_missing():
            self.publish_activex(chain=[])

        def error_page():
            self.server.misbehave(ACTIVEX_PATH, "error-page")

        def empty():
            self.server.misbehave(ACTIVEX_PATH, "empty")

        def cut():
            self.server.misbehave(ACTIVEX_PATH, "cut")

        def zero_in_chunk():
            self.server.misbehave(ACTIVEX_PATH, "zero-in-chunk")

        for prepare in (tampered, other_root, expired_intermediate, root_carried,
                        intermediate_missing, error_page, empty, cut, zero_in_chunk):
            with self.subTest(prepare.__name__):
                self.server.clear()
                self.restore_site()
                prepare()
                self.assert_rejected(self.probe("download", "localhost", "1"))

    def test_transfer_failures(self):
        cases = [
            # A reset inside the body: the query for more data fails.
            ("reset", {"1209", "1211"}),
            # No package is larger than 256 MiB: 1211 with the platform's
            # file-too-large error.
            ("endless", {"1211"}),
        ]
        for mode, codes in cases:
            with self.subTest(mode):
                self.server.clear()
                self.server.misbehave(ACTIVEX_PATH, mode)
                run = self.probe("download", "localhost", "1")
                self.assertEqual(self.server.requests,
                                 [("http", "GET", ACTIVEX_PATH, USER_AGENT)])
                self.assertEqual(run.exit_code, 1, run.lines)
                self.assertEqual(run.code_numbers()[0], "1600")
                self.assertEqual(len(run.codes), 2, run.codes)
                self.assertIn(run.code_numbers()[1], codes)
                if mode == "endless":
                    self.assertEqual(run.codes[1], "1211 223")
                self.assertEqual(run.left_in_temp, [])
                self.assertIsNone(self.work_file("VireoPlayerInstaller.exe"))

    def test_a_slow_body_is_waited_for(self):
        self.server.misbehave(ACTIVEX_PATH, "slow")
        run = self.probe("download", "localhost", "1")
        self.assertEqual(run.exit_code, 0, run.lines)
        self.assertEqual(self.work_file("VireoPlayerInstaller.exe"), self.installer_bytes)

    def test_no_server_at_the_host(self):
        run = self.probe("download", "127.0.0.2", "1")
        self.assertEqual(run.exit_code, 1, run.lines)
        self.assertEqual(run.codes, ["1600", "1214 12029"])
        self.assertEqual(run.left_in_temp, [])


if __name__ == "__main__":
    unittest.main()
