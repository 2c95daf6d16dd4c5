"""Certificates and keys for signing installer packages, made with the openssl
command line tool.

`make_dev_pki.py` uses it for the development signing chain in tools/pki/dev/;
the integration tests use it for chains of their own (another root, an expired
intermediate, the TLS certificate of the local download server)."""
import os
import subprocess
import tempfile

# Names of the six attributes in the order a certificate name holds them.
NAME_ORDER = ("CN", "ST", "C", "emailAddress", "O", "OU")

_CA_CONFIG = """
[ ca ]
default_ca = ca_default

[ ca_default ]
database = {db}/index.txt
new_certs_dir = {db}
serial = {db}/serial
policy = policy_any
email_in_dn = yes
unique_subject = no
copy_extensions = none
default_md = sha256

[ policy_any ]
commonName = optional
stateOrProvinceName = optional
countryName = optional
emailAddress = optional
organizationName = optional
organizationalUnitName = optional

[ root ]
basicConstraints = CA:TRUE
subjectKeyIdentifier = none
authorityKeyIdentifier = none

[ intermediate ]
basicConstraints = critical, CA:TRUE
keyUsage = critical, keyCertSign, cRLSign
subjectKeyIdentifier = none
authorityKeyIdentifier = none

[ signer ]
basicConstraints = CA:FALSE
keyUsage = critical, digitalSignature
extendedKeyUsage = codeSigning
subjectKeyIdentifier = none
authorityKeyIdentifier = none

[ server ]
basicConstraints = CA:FALSE
keyUsage = critical, digitalSignature, keyEncipherment
extendedKeyUsage = serverAuth
subjectAltName = {alt_names}
"""


def openssl(*args, input_bytes=None):
    completed = subprocess.run(["openssl", *args], input=input_bytes, stdout=subprocess.PIPE,
                               stderr=subprocess.PIPE, check=False)
    if completed.returncode != 0:
        raise RuntimeError("openssl %s failed: %s" % (args[0], completed.stderr.decode(errors="replace")))
    return completed.stdout


def make_key(path):
    """A new RSA key of 2048 bits (public exponent 65537), PEM."""
    openssl("genpkey", "-algorithm", "RSA", "-pkeyopt", "rsa_keygen_bits:2048",
            "-pkeyopt", "rsa_keygen_pubexp:65537", "-out", path)
    os.chmod(path, 0o600)


def subject_text(name):
    """"/CN=.../ST=..." from a dict, attributes in NAME_ORDER."""
    return "".join("/%s=%s" % (key, name[key]) for key in NAME_ORDER if key in name)


def issue(kind, subject, key, out, issuer_cert=None, issuer_key=None, start="20240101000000Z",
          end="20491231235959Z", serial="1000", md="sha256", alt_names="DNS:localhost"):
    """Signs a certificate for `key` with `subject` (a dict) and writes it as
    PEM to `out`. Without an issuer it is self-signed. `kind` names the
    extension section: root, intermediate, signer or server."""
    with tempfile.TemporaryDirectory() as db:
        with open(os.path.join(db, "index.txt"), "w"):
            pass
        with open(os.path.join(db, "serial"), "w") as f:
            f.write(serial + "\n")
        config = os.path.join(db, "ca.cnf")
        with open(config, "w") as f:
            f.write(_CA_CONFIG.format(db=db, alt_names=alt_names))
        request = os.path.join(db, "request.csr")
        openssl("req", "-new", "-key", key, "-subj", subject_text(subject), "-out", request)
        args = ["ca", "-batch", "-notext", "-config", config, "-in", request, "-out", out,
                "-startdate", start, "-enddate", end, "-md", md, "-extensions", kind,
                "-preserveDN"]
        if issuer_cert is None:
            args += ["-selfsign", "-keyfile", key]
        else:
            args += ["-cert", issuer_cert, "-keyfile", issuer_key]
        openssl(*args)


def der_of(pem_path):
    return openssl("x509", "-in", pem_path, "-outform", "DER")


def sha1_thumbprint(der):
    import hashlib
    return hashlib.sha1(der).hexdigest().upper()


def make_chain(folder, root_name, start="20240101000000Z", end="20491231235959Z",
               intermediate_start=None, intermediate_end=None, prefix=""):
    """A root, an intermediate and a signer in `folder` (files <prefix>root.pem
    and so on). Returns the paths as a dict."""
    paths = {part: os.path.join(folder, prefix + part) for part in (
        "root.pem", "root.key", "intermediate.pem", "intermediate.key", "signer.pem", "signer.key")}
    for part in ("root.key", "intermediate.key", "signer.key"):
        make_key(paths[part])
    issue("root", root_name, paths["root.key"], paths["root.pem"], start=start, end=end, serial="01")
    issue("intermediate", dict(root_name, CN=root_name["CN"] + " Intermediate"),
          paths["intermediate.key"], paths["intermediate.pem"], paths["root.pem"], paths["root.key"],
          start=intermediate_start or start, end=intermediate_end or end, serial="1000")
    issue("signer", dict(root_name, CN=root_name["CN"] + " Signer"), paths["signer.key"],
          paths["signer.pem"], paths["intermediate.pem"], paths["intermediate.key"], start=start,
          end=end, serial="2000")
    return paths
