#!/usr/bin/env python3
"""The main job: one whole update, started the way Windows starts it.

In a Wine prefix of its own this starts the local download server with a newer
ActiveX release, registers the service "TessalyVireoPlayerUpdateSvc" for the
built program, writes a silent, verbose policy whose server domain is the local
server, marks an older ActiveX as installed, and runs the program without
arguments as the hourly task does. It waits until the service has stopped and
shows what happened: the install logs, the installer that was started with its
command line, and the update state left in the registry.

  run_update_cycle.py BUILD_DIR     (for instance build/windows-x64)

Binds ports 80 and 443 of the loopback, so it needs root."""
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import time

TOOLS_DIR = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, TOOLS_DIR)
sys.path.insert(0, os.path.join(TOOLS_DIR, "publisher"))
import download_server  # noqa: E402
import vireo_publish  # noqa: E402
import wine_site  # noqa: E402

SERVICE = "TessalyVireoPlayerUpdateSvc"
INSTALLED_ACTIVEX = "11.2.202.10"
RELEASED_ACTIVEX = (11, 2, 202, 14)
RELEASED_PLUGIN = (10, 3, 183, 7)
POLICY = (b"SilentAutoUpdateEnable=1\r\nAutoUpdateDisable=0\r\n"
          b"SilentAutoUpdateVerboseLogging=1\r\nSilentAutoUpdateServerDomain=localhost\r\n")
WAIT_SECONDS = 120


def program_is_32_bit(path):
    with open(path, "rb") as f:
        header = f.read(4096)
    pe = struct.unpack_from("<I", header, 0x3C)[0]
    return struct.unpack_from("<H", header, pe + 4)[0] == 0x14C


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def show(title, text):
    print("\n== " + title)
    print(text.rstrip() if text.strip() else "(nothing)")


def read_log(path):
    if not os.path.exists(path):
        return ""
    with open(path, "rb") as f:
        return f.read().decode("utf-16-le").replace("\r\n", "\n")


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    build_dir = os.path.abspath(sys.argv[1])
    exe = os.path.join(build_dir, "VireoPlayerUpdater.exe")
    installer = os.path.join(build_dir, "tests", "programs", "fake_installer.exe")
    prefix = os.path.join(build_dir, "wineprefix-main-job")
    bits = "/reg:32" if program_is_32_bit(exe) else "/reg:64"

    print("run: preparing the Wine prefix " + prefix)
    tls = wine_site.prepare_prefix(prefix)
    windows = os.path.join(prefix, "drive_c", "windows")
    system = os.path.join(windows, "syswow64" if program_is_32_bit(exe) else "system32")
    policy_folder = os.path.join(system, "Pellmark", "Vireo")
    # A service started by Wine's manager runs in C:\windows (Windows uses the
    # system folder, where the policy lies), so its log folder is made there too.
    service_log_folder = os.path.join(windows, "Pellmark", "Vireo")
    for folder in (policy_folder, service_log_folder):
        shutil.rmtree(folder, ignore_errors=True)
        os.makedirs(folder)
    with open(os.path.join(policy_folder, "nws.cfg"), "wb") as f:
        f.write(POLICY)
    for name in ("VireoPlayerInstaller.exe", "installer_command_line.txt",
                 "installer_program_path.txt"):
        if os.path.exists(os.path.join(windows, name)):
            os.remove(os.path.join(windows, name))

    state_key = r"HKLM\SOFTWARE\Norwend\VireoPlayer"
    wine_site.wine(prefix, "reg", "delete", state_key, "/f", bits, check=False)
    wine_site.wine(prefix, "reg", "add", r"HKLM\Software\Norwend\VireoPlayerActiveX", "/v",
                   "Version", "/d", INSTALLED_ACTIVEX, "/f", bits)
    wine_site.register_service(prefix, SERVICE, windows_path(exe))

    site = tempfile.mkdtemp(prefix="vireo-site-")
    vireo_publish.publish(site, installer, installer, RELEASED_ACTIVEX, RELEASED_PLUGIN, 1)
    server = download_server.DownloadServer(site, os.path.join(tls, "server.pem"),
                                            os.path.join(tls, "server.key"))
    server.start()
    try:
        print("run: ActiveX %s installed, %s released; starting the program without arguments"
              % (INSTALLED_ACTIVEX, ".".join(map(str, RELEASED_ACTIVEX))))
        completed = subprocess.run([os.path.join(TOOLS_DIR, "wine-run.sh"), exe], cwd=system,
                                   env=wine_site.wine_env(prefix), stdin=subprocess.DEVNULL,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                   timeout=WAIT_SECONDS)
        print("run: the starter exited with %d; waiting for the service to stop"
              % completed.returncode)
        state = wine_site.wait_for_service_state(prefix, SERVICE, wine_site.SERVICE_STOPPED,
                                                 WAIT_SECONDS)
        print("run: service state %s" % state)
        # The process logs the dispatcher's return just after the stopped report.
        time.sleep(1)
        with server.lock:
            requests = "\n".join("%s %s %s" % (scheme, method, path)
                                 for scheme, method, path, _ in server.requests)
    finally:
        server.stop()
        shutil.rmtree(site, ignore_errors=True)

    show("the starter's install log (" + policy_folder + ")",
         read_log(os.path.join(policy_folder, "VireoInstall.log")))
    show("the service's install log (" + service_log_folder + ")",
         read_log(os.path.join(service_log_folder, "VireoInstall.log")))
    show("requests to the download server", requests)
    command_line = os.path.join(windows, "installer_command_line.txt")
    show("the installer that was started, with its command line",
         open(command_line, encoding="utf-8").read() if os.path.exists(command_line) else "")
    code, text = wine_site.wine_output(prefix, "reg", "export", state_key,
                                       windows_path(os.path.join(prefix, "state.reg")), "/y",
                                       bits)
    exported = ""
    if code == 0:
        with open(os.path.join(prefix, "state.reg"), "rb") as f:
            exported = f.read().decode("utf-16")
    show("the update state in the registry (" + state_key + ")", exported)
    wine_site.remove_service(prefix, SERVICE)
    subprocess.run(["wineserver", "-k"], env=wine_site.wine_env(prefix), check=False)
    return 0 if os.path.exists(command_line) else 1


if __name__ == "__main__":
    sys.exit(main())
