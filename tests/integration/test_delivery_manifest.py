"""The version manifest fetched over HTTPS from the local download server
under Wine, and the server's misbehaviours."""
import unittest

from delivery_harness import MANIFEST_PATH, DeliveryTestCase

USER_AGENT = "Get Vireo Player version xml/1.0"


class VersionManifestTest(DeliveryTestCase):
    def test_manifest_is_fetched_and_parsed(self):
        run = self.probe("manifest", "localhost")
        self.assertEqual(run.exit_code, 0, run.lines)
        self.assertIn("activex 11.2.202.14 flavour 1", run.lines)
        self.assertIn("plugin 10.3.183.7 flavour 2", run.lines)
        self.assertIn("frequency 1", run.lines)
        self.assertEqual(run.codes, [])
        self.assertEqual(self.server.requests, [("https", "GET", MANIFEST_PATH, USER_AGENT)])

    def test_bodies_that_still_hold_the_manifest(self):
        cases = [
            # A zero byte cuts off the rest of its chunk only.
            ("zero-in-chunk", []),
            ("slow", []),
            # Receiving stops at 1 MiB; what came is parsed.
            ("endless", ["1405"]),
        ]
        for mode, codes in cases:
            with self.subTest(mode):
                self.server.clear()
                self.server.misbehave(MANIFEST_PATH, mode)
                run = self.probe("manifest", "localhost")
                self.assertEqual(run.exit_code, 0, run.lines)
                self.assertEqual(run.codes, codes)
                self.assertIn("activex 11.2.202.14 flavour 1", run.lines)

    def test_bodies_that_are_no_manifest(self):
        cases = [
            # The error page's HTML is not well-formed.
            ("error-page", ["1410", "1409"]),
            ("empty", ["1409"]),
            ("cut", ["1410", "1409"]),
        ]
        for mode, codes in cases:
            with self.subTest(mode):
                self.server.clear()
                self.server.misbehave(MANIFEST_PATH, mode)
                run = self.probe("manifest", "localhost")
                self.assertEqual(self.server.requests,
                                 [("https", "GET", MANIFEST_PATH, USER_AGENT)])
                self.assertEqual(run.exit_code, 1, run.lines)
                self.assertEqual(run.codes, codes)
                self.assertFalse(any(line.startswith("activex") for line in run.lines))

    def test_a_reset_connection_ends_the_body(self):
        self.server.misbehave(MANIFEST_PATH, "reset")
        run = self.probe("manifest", "localhost")
        self.assertEqual(run.exit_code, 1, run.lines)
        self.assertEqual(run.code_numbers()[-2:], ["1410", "1409"])
        self.assertTrue(set(run.code_numbers()) <= {"1404", "1406", "1410", "1409"}, run.codes)

    def test_no_server_at_the_host(self):
        # Nothing listens on 127.0.0.2.
        run = self.probe("manifest", "127.0.0.2")
        self.assertEqual(self.server.requests, [])
        self.assertEqual(run.exit_code, 1, run.lines)
        self.assertEqual(run.code_numbers(), ["1403", "1407", "1408"])
        self.assertEqual(run.codes[0], "1403 12029")

    def test_a_certificate_for_another_name_is_refused(self):
        # The server's certificate names "localhost" only.
        run = self.probe("manifest", "127.0.0.1")
        self.assertEqual(run.exit_code, 1, run.lines)
        self.assertEqual(run.code_numbers(), ["1403", "1407", "1408"])


if __name__ == "__main__":
    unittest.main()
