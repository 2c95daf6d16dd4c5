#!/usr/bin/env python3
"""Makes the development signing chain in tools/pki/dev/ anew: the root that
development builds trust (root.pem, root.key, root.der), an intermediate and
the signer of the packages. Every run makes new keys, so packages signed
before no longer verify with a program built afterwards.

The root has the form the updater expects of its built-in certificate: 999
bytes of DER, serial 0, sha1WithRSAEncryption, RSA 2048 with exponent 65537,
a name of six attributes, valid from 2005-06-01 07:01:52 to 2025-05-27
07:01:52 UTC, and basic constraints with the CA flag, not critical. Only its
key matters to the updater, so its expiry does not stop packages from
verifying as long as it is not itself carried in them."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import pki  # noqa: E402

ROOT_NAME = {
    "CN": "Vireo Player Development Root",
    "ST": "Development",
    "C": "XX",
    "emailAddress": "release@vireo.example",
    "O": "Norwend",
    # Its length makes the DER 999 bytes (each character counts twice: the
    # name is both subject and issuer).
    "OU": "Vireo Player Release Engineer",
}
ROOT_DER_LENGTH = 999


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(
        os.path.abspath(__file__)), "dev")
    os.makedirs(folder, exist_ok=True)
    path = lambda name: os.path.join(folder, name)  # noqa: E731

    pki.make_key(path("root.key"))
    pki.issue("root", ROOT_NAME, path("root.key"), path("root.pem"), start="20050601070152Z",
              end="20250527070152Z", serial="00", md="sha1")
    der = pki.der_of(path("root.pem"))
    if len(der) != ROOT_DER_LENGTH:
        sys.exit("make_dev_pki: the root is %d bytes of DER, not %d" % (len(der), ROOT_DER_LENGTH))
    with open(path("root.der"), "wb") as f:
        f.write(der)

    pki.make_key(path("intermediate.key"))
    pki.issue("intermediate", dict(ROOT_NAME, CN="Vireo Player Development Intermediate"),
              path("intermediate.key"), path("intermediate.pem"), path("root.pem"),
              path("root.key"), start="20240101000000Z", end="20491231235959Z", serial="1000")
    pki.make_key(path("signer.key"))
    pki.issue("signer", dict(ROOT_NAME, CN="Vireo Player Development Package Signer"),
              path("signer.key"), path("signer.pem"), path("intermediate.pem"),
              path("intermediate.key"), start="20240101000000Z", end="20491231235959Z",
              serial="2000")
    print("make_dev_pki: wrote the development chain to %s" % folder)


if __name__ == "__main__":
    main()
