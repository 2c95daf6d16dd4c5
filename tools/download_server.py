#!/usr/bin/env python3
"""A local download server: the version manifest over HTTPS and the two
installer packages over plain HTTP, under the object paths the updater
requests, served from a folder laid out by tools/publisher/vireo_publish.py.

  download_server.py FOLDER --tls-cert PEM --tls-key PEM [--host 127.0.0.1]
                     [--https-port 443] [--http-port 80] [--misbehave PATH=MODE ...]

Anything else (another path, the manifest over HTTP, a package over HTTPS)
gets 404 with an HTML page. On request a path misbehaves (MODE):

  error-page     status 503 with an HTML page as the body
  empty          status 200 with an empty body
  cut            the full length announced, half the body sent, then closed
  reset          half the body sent, then the connection reset
  zero-in-chunk  chunked: a zero byte and junk inside the first chunk, the
                 body's rest in a second chunk sent a moment later
  slow           the body in pieces of 1024 bytes, 10 ms apart (the pause is
                 the server's slow_pause_seconds)
  endless        chunked: the body, then spaces without end

Each request is recorded (scheme, method, path, user agent)."""
import argparse
import http.server
import os
import socket
import ssl
import struct
import sys
import threading
import time

TOOLS_DIR = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(TOOLS_DIR, "publisher"))
import vireo_publish  # noqa: E402

HTTPS_PATHS = {"/" + vireo_publish.MANIFEST_PATH}
HTTP_PATHS = {"/" + vireo_publish.ACTIVEX_PACKAGE_PATH, "/" + vireo_publish.PLUGIN_PACKAGE_PATH}
MODES = ("error-page", "empty", "cut", "reset", "zero-in-chunk", "slow", "endless")
ERROR_PAGE = (b"<!DOCTYPE html>\n<html><head><title>503 Service Unavailable</title></head>"
              b"<body><h1>Service Unavailable</h1><p>Try again later.<br></body></html>\n")


class _Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    server_version = "VireoTestServer/1.0"

    def log_message(self, *args):
        pass

    def do_GET(self):
        owner = self.server.owner
        scheme = self.server.scheme
        with owner.lock:
            owner.requests.append((scheme, "GET", self.path, self.headers.get("User-Agent", "")))
            mode = owner.misbehaviours.get(self.path)
        allowed = HTTPS_PATHS if scheme == "https" else HTTP_PATHS
        body = None
        if self.path in allowed:
            local = os.path.join(owner.root, self.path.lstrip("/"))
            if os.path.isfile(local):
                with open(local, "rb") as f:
                    body = f.read()
        if body is None:
            return self._send(404, b"<html><body><h1>404 Not Found</h1></body></html>", "text/html")
        if mode is None:
            return self._send(200, body, "application/octet-stream")
        getattr(self, "_" + mode.replace("-", "_"))(body)

    def _send(self, status, body, content_type):
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(body)))
        self.send_header("Connection", "close")
        self.end_headers()
        self.wfile.write(body)
        self.close_connection = True

    def _start_chunked(self):
        self.send_response(200)
        self.send_header("Content-Type", "application/octet-stream")
        self.send_header("Transfer-Encoding", "chunked")
        self.send_header("Connection", "close")
        self.end_headers()
        self.close_connection = True

    def _chunk(self, data):
        self.wfile.write(b"%x\r\n%s\r\n" % (len(data), data))
        self.wfile.flush()

    def _error_page(self, body):
        self._send(503, ERROR_PAGE, "text/html")

    def _empty(self, body):
        self._send(200, b"", "application/octet-stream")

    def _announce_and_send_half(self, body):
        self.send_response(200)
        self.send_header("Content-Length", str(len(body)))
        self.send_header("Connection", "close")
        self.end_headers()
        self.wfile.write(body[:len(body) // 2])
        self.wfile.flush()
        self.close_connection = True

    def _cut(self, body):
        self._announce_and_send_half(body)
        time.sleep(0.2)
        self.connection.shutdown(socket.SHUT_RDWR)

    def _reset(self, body):
        self._announce_and_send_half(body)
        time.sleep(0.2)
        # Linger of zero: closing sends a reset instead of an orderly end.
        raw = self.connection
        raw.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
        raw.close()

    def _zero_in_chunk(self, body):
        half = len(body) // 2
        self._start_chunked()
        self._chunk(body[:half] + b"\0" + b"junk after the zero byte")
        time.sleep(0.5)
        self._chunk(body[half:])
        self._chunk(b"")

    def _slow(self, body):
        self.send_response(200)
        self.send_header("Content-Length", str(len(body)))
        self.send_header("Connection", "close")
        self.end_headers()
        for start in range(0, len(body), 1024):
            self.wfile.write(body[start:start + 1024])
            self.wfile.flush()
            time.sleep(self.server.owner.slow_pause_seconds)
        self.close_connection = True

    def _endless(self, body):
        self._start_chunked()
        self._chunk(body)
        filler = b" " * 65536
        try:
            while not self.server.owner.stopping.is_set():
                self._chunk(filler)
        except (BrokenPipeError, ConnectionResetError, ssl.SSLError, OSError):
            pass


class _Server(http.server.ThreadingHTTPServer):
    daemon_threads = True
    allow_reuse_address = True

    def __init__(self, address, owner, scheme, tls_context=None):
        self.owner = owner
        self.scheme = scheme
        self.tls_context = tls_context
        super().__init__(address, _Handler)

    def get_request(self):
        connection, address = self.socket.accept()
        if self.tls_context is not None:
            # The handshake runs in the request's thread, not the accepting one.
            connection = self.tls_context.wrap_socket(connection, server_side=True,
                                                      do_handshake_on_connect=False)
        return connection, address

    def finish_request(self, request, client_address):
        if isinstance(request, ssl.SSLSocket):
            try:
                request.settimeout(30)
                request.do_handshake()
            except (ssl.SSLError, OSError):
                return
        super().finish_request(request, client_address)


class DownloadServer:
    def __init__(self, root, tls_cert, tls_key, host="127.0.0.1", https_port=443, http_port=80):
        self.root = root
        self.lock = threading.Lock()
        self.requests = []
        self.misbehaviours = {}
        # The pause between the pieces of a "slow" body.
        self.slow_pause_seconds = 0.01
        self.stopping = threading.Event()
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(tls_cert, tls_key)
        self._servers = [_Server((host, https_port), self, "https", context),
                         _Server((host, http_port), self, "http")]
        self._threads = []

    def misbehave(self, path, mode):
        if mode not in MODES:
            raise ValueError("unknown misbehaviour " + mode)
        with self.lock:
            self.misbehaviours[path] = mode

    def clear(self):
        with self.lock:
            self.requests = []
            self.misbehaviours = {}
            self.slow_pause_seconds = 0.01

    def start(self):
        for server in self._servers:
            thread = threading.Thread(target=server.serve_forever, kwargs={"poll_interval": 0.1},
                                      daemon=True)
            thread.start()
            self._threads.append(thread)
        return self

    def stop(self):
        self.stopping.set()
        for server in self._servers:
            server.shutdown()
            server.server_close()
        for thread in self._threads:
            thread.join(5)

    def __enter__(self):
        return self.start()

    def __exit__(self, *exc):
        self.stop()


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("folder")
    parser.add_argument("--tls-cert", required=True)
    parser.add_argument("--tls-key", required=True)
    parser.add_argument("--host", default="127.0.0.1")
    parser.add_argument("--https-port", type=int, default=443)
    parser.add_argument("--http-port", type=int, default=80)
    parser.add_argument("--misbehave", action="append", default=[], metavar="PATH=MODE")
    args = parser.parse_args()
    server = DownloadServer(args.folder, args.tls_cert, args.tls_key, args.host, args.https_port,
                            args.http_port)
    for item in args.misbehave:
        path, _, mode = item.partition("=")
        server.misbehave(path, mode)
    server.start()
    print("download_server: manifest on https://%s:%d, packages on http://%s:%d" % (
        args.host, args.https_port, args.host, args.http_port), flush=True)
    try:
        while True:
            time.sleep(3600)
    except KeyboardInterrupt:
        server.stop()


if __name__ == "__main__":
    main()
