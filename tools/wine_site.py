"""Wine prefixes that reach the local download server: a fresh 64-bit prefix,
a TLS certificate for "localhost" from a test CA, and that CA trusted in the
prefix's machine Root store (WinHTTP checks the server's certificate against
it). Used by the integration tests and by the main job."""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

TOOLS_DIR = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(TOOLS_DIR, "pki"))
import pki  # noqa: E402

WINE64 = "/usr/lib/wine/wine64"
TIMEOUT_SECONDS = 300


def wine_env(prefix):
    """The environment of Wine programs in `prefix`, without proxy settings."""
    env = dict(os.environ, VIREO_WINEPREFIX=prefix, WINEPREFIX=prefix)
    env.setdefault("WINEDEBUG", "-all")
    env.setdefault("WINEDLLOVERRIDES", "mscoree,mshtml=")
    for name in ("http_proxy", "https_proxy", "HTTP_PROXY", "HTTPS_PROXY", "no_proxy"):
        env.pop(name, None)
    return env


def wine(prefix, *args, check=True):
    """Runs a Wine builtin or program in `prefix` with the 64-bit loader."""
    return subprocess.run([WINE64, *args], env=wine_env(prefix), stdin=subprocess.DEVNULL,
                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=check,
                          timeout=TIMEOUT_SECONDS)


def create_prefix(prefix):
    """Makes the 64-bit prefix `prefix` unless it exists."""
    if os.path.exists(os.path.join(prefix, "system.reg")):
        return
    os.makedirs(prefix, exist_ok=True)
    env = dict(wine_env(prefix), WINEARCH="win64")
    subprocess.run([WINE64, "wineboot", "-i"], env=env, stdin=subprocess.DEVNULL,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True,
                   timeout=TIMEOUT_SECONDS)
    subprocess.run(["wineserver", "-w"], env=env, check=False, timeout=TIMEOUT_SECONDS)


def make_tls(folder):
    """A test CA (ca.pem, ca.key) and a server certificate for "localhost"
    (server.pem, server.key) in `folder`, made anew."""
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    pki.make_key(os.path.join(folder, "ca.key"))
    pki.issue("root", {"CN": "Vireo Player Test TLS CA", "O": "Norwend"},
              os.path.join(folder, "ca.key"), os.path.join(folder, "ca.pem"), serial="01")
    pki.make_key(os.path.join(folder, "server.key"))
    # Wine matches the host name against DNS names only.
    pki.issue("server", {"CN": "localhost", "O": "Norwend"}, os.path.join(folder, "server.key"),
              os.path.join(folder, "server.pem"), os.path.join(folder, "ca.pem"),
              os.path.join(folder, "ca.key"), serial="10", alt_names="DNS:localhost")


def trust_ca(prefix, ca_pem):
    """Adds the CA to the prefix's machine Root store."""
    der = pki.der_of(ca_pem)
    # A certificate property blob: property 32 (the encoded certificate),
    # reserved 1, the length, then the DER.
    blob = "20000000" + "01000000" + len(der).to_bytes(4, "little").hex() + der.hex()
    key = ("HKLM\\Software\\Microsoft\\SystemCertificates\\Root\\Certificates\\" +
           pki.sha1_thumbprint(der))
    wine(prefix, "reg", "add", key, "/v", "Blob", "/t", "REG_BINARY", "/d", blob, "/f")


def prepare_prefix(prefix):
    """A prefix that trusts a test CA of its own; gives its TLS folder
    (ca.pem, server.pem, server.key). Made once, kept afterwards."""
    create_prefix(prefix)
    tls = os.path.join(prefix, "vireo-test-tls")
    trusted_marker = os.path.join(tls, "trusted")
    if not os.path.exists(trusted_marker):
        make_tls(tls)
        trust_ca(prefix, os.path.join(tls, "ca.pem"))
        with open(trusted_marker, "w") as f:
            f.write("trusted\n")
    return tls


def wine_output(prefix, *args):
    """Runs a Wine builtin or program in `prefix` and gives (exit code,
    output). Output goes through a file: Wine's helper processes can outlive
    the program and would hold a pipe open."""
    with tempfile.TemporaryFile() as out:
        completed = subprocess.run([WINE64, *args], env=wine_env(prefix), stdin=subprocess.DEVNULL,
                                   stdout=out, stderr=subprocess.STDOUT, timeout=TIMEOUT_SECONDS)
        out.seek(0)
        return completed.returncode, out.read().decode("utf-8", "replace")


# Service states as the service control manager reports them.
SERVICE_STOPPED, SERVICE_START_PENDING, SERVICE_STOP_PENDING, SERVICE_RUNNING = 1, 2, 3, 4


def register_service(prefix, name, program_windows_path):
    """Registers `name` as a service of its own process, started on demand,
    running the program; an earlier registration is removed first."""
    remove_service(prefix, name)
    code, text = wine_output(prefix, "sc", "create", name, "binpath=", program_windows_path,
                             "type=", "own", "start=", "demand")
    if code != 0:
        raise RuntimeError("sc create failed: " + text)


def remove_service(prefix, name):
    """Stops the service if it runs, waits for it, and removes it."""
    wine_output(prefix, "sc", "stop", name)
    wait_for_service_state(prefix, name, SERVICE_STOPPED)
    wine_output(prefix, "sc", "delete", name)


def service_state(prefix, name):
    """The service's current state, or None when it is not registered."""
    code, text = wine_output(prefix, "sc", "query", name)
    match = re.search(r"STATE\s*:\s*(\d+)", text)
    return int(match.group(1)) if code == 0 and match else None


def wait_for_service_state(prefix, name, state, seconds=90):
    """Waits until the service is in `state` (or not registered); gives the
    state it was last seen in."""
    deadline = time.monotonic() + seconds
    while True:
        current = service_state(prefix, name)
        if current is None or current == state or time.monotonic() >= deadline:
            return current
        time.sleep(0.2)
