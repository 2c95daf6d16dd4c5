#!/usr/bin/env python3
"""The publisher tool for release engineers: signs installers into packages
and writes the version manifest, laid out as the download server serves them.

  vireo_publish.py sign INSTALLER PACKAGE [--signer-cert PEM --signer-key KEY --chain PEM...]
      Signs INSTALLER into PACKAGE: a DER PKCS #7 SignedData message with the
      installer attached as its content, the signer identified by issuer and
      serial number, no signed attributes, and the signer's certificate plus
      each --chain certificate included (never the root).

  vireo_publish.py manifest MANIFEST --activex 11.2.202.14 --plugin 11.2.202.14 --check-frequency 1
      Writes the version manifest.

  vireo_publish.py publish FOLDER --activex-installer EXE --plugin-installer EXE
                           --activex VERSION --plugin VERSION --check-frequency DAYS [signing options]
      Both packages and the manifest under FOLDER, at the paths the updater
      requests: FOLDER/pub/vireoplayer/update/current/sau/11/...

Without signing options the development chain in tools/pki/dev/ signs: for
development and tests only. OpenSSL does the cryptography."""
import argparse
import os
import subprocess
import sys

TOOLS_DIR = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DEV_PKI = os.path.join(TOOLS_DIR, "pki", "dev")

SAU_PATH = "pub/vireoplayer/update/current/sau/11"
MANIFEST_PATH = SAU_PATH + "/xml/version.xml"
ACTIVEX_PACKAGE_PATH = SAU_PATH + "/install/install_all_win_ax_sgn.z"
PLUGIN_PACKAGE_PATH = SAU_PATH + "/install/install_all_win_pl_sgn.z"


def sign(installer, package, signer_cert=None, signer_key=None, chain=None):
    """Signs `installer` into `package` (DER SignedData, content attached)."""
    signer_cert = signer_cert or os.path.join(DEV_PKI, "signer.pem")
    signer_key = signer_key or os.path.join(DEV_PKI, "signer.key")
    if chain is None:
        chain = [os.path.join(DEV_PKI, "intermediate.pem")]
    args = ["openssl", "cms", "-sign", "-binary", "-nodetach", "-noattr", "-md", "sha256",
            "-outform", "DER", "-in", installer, "-out", package, "-signer", signer_cert,
            "-inkey", signer_key]
    if chain:
        # One file with every further certificate of the path.
        bundle = package + ".chain.pem"
        with open(bundle, "w") as out:
            for path in chain:
                with open(path) as f:
                    out.write(f.read())
        args += ["-certfile", bundle]
    try:
        completed = subprocess.run(args, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    finally:
        if chain:
            os.remove(bundle)
    if completed.returncode != 0:
        raise RuntimeError("openssl cms -sign failed: " + completed.stderr.decode(errors="replace"))


def parse_version(text):
    parts = text.split(".")
    if len(parts) != 4 or not all(p.isdigit() and int(p) <= 0xFFFFFFFF for p in parts):
        raise argparse.ArgumentTypeError("a version is four numbers: major.minor.buildMajor.buildMinor")
    return tuple(int(p) for p in parts)


def manifest_text(activex, plugin, check_frequency):
    def element(name, version):
        return '  <%s major="%d" minor="%d" buildMajor="%d" buildMinor="%d"/>\n' % ((name,) + tuple(version))
    return ('<?xml version="1.0" encoding="UTF-8"?>\n<version>\n' + element("ActiveX", activex) +
            element("Plugin", plugin) + '  <SAUConfig checkFrequency="%d"/>\n</version>\n' % check_frequency)


def write_manifest(path, activex, plugin, check_frequency):
    os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
    with open(path, "w", newline="\n") as f:
        f.write(manifest_text(activex, plugin, check_frequency))


def publish(folder, activex_installer, plugin_installer, activex, plugin, check_frequency, **signing):
    for installer, relative in ((activex_installer, ACTIVEX_PACKAGE_PATH),
                                (plugin_installer, PLUGIN_PACKAGE_PATH)):
        target = os.path.join(folder, relative)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        sign(installer, target, **signing)
    write_manifest(os.path.join(folder, MANIFEST_PATH), activex, plugin, check_frequency)


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    commands = parser.add_subparsers(dest="command", required=True)

    def signing_options(p):
        p.add_argument("--signer-cert", help="the signer's certificate (PEM)")
        p.add_argument("--signer-key", help="the signer's private key (PEM)")
        p.add_argument("--chain", action="append",
                       help="a certificate between signer and root (PEM); may be repeated")

    p = commands.add_parser("sign", help="sign an installer into a package")
    p.add_argument("installer")
    p.add_argument("package")
    signing_options(p)

    p = commands.add_parser("manifest", help="write a version manifest")
    p.add_argument("manifest")
    p.add_argument("--activex", type=parse_version, required=True)
    p.add_argument("--plugin", type=parse_version, required=True)
    p.add_argument("--check-frequency", type=int, required=True)

    p = commands.add_parser("publish", help="packages and manifest in the server's layout")
    p.add_argument("folder")
    p.add_argument("--activex-installer", required=True)
    p.add_argument("--plugin-installer", required=True)
    p.add_argument("--activex", type=parse_version, required=True)
    p.add_argument("--plugin", type=parse_version, required=True)
    p.add_argument("--check-frequency", type=int, required=True)
    signing_options(p)

    args = parser.parse_args(argv)
    signing = {"signer_cert": getattr(args, "signer_cert", None),
               "signer_key": getattr(args, "signer_key", None), "chain": getattr(args, "chain", None)}
    try:
        if args.command == "sign":
            sign(args.installer, args.package, **signing)
        elif args.command == "manifest":
            write_manifest(args.manifest, args.activex, args.plugin, args.check_frequency)
        else:
            publish(args.folder, args.activex_installer, args.plugin_installer, args.activex,
                    args.plugin, args.check_frequency, **signing)
    except (RuntimeError, OSError) as error:
        print("vireo_publish: %s" % error, file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
