#!/usr/bin/env python3
"""A stand-in for the maker's update server, on 127.0.0.1 at a free port.

    update_server.py MODE [--marker WINDOWS_PATH] [--delay SECONDS]
                     [--tls CERT_FILE KEY_FILE]

Serves /framewright.inf (the information file) and /setup.cmd (the "installer",
a batch file that writes "ran" into the marker file when it is started). Prints
the port on the first line of stdout, then one line per request on stderr.

With --tls the server speaks HTTPS with the given certificate (a self-signed one
that Windows does not trust, so the updater must refuse the connection).

Modes:
  newer     a higher version with the installer's correct hash
  same      the version the check program reports as installed (1.0.0.0)
  mismatch  a higher version, but the hash does not match the installer
  garbage   an information file of junk bytes
  slow      like same, but the answer comes only after --delay seconds
  missing   404 for the information file
  hostile   a version that is no version ("9999999999.x")
  oversize  a well-formed information file padded past 64 KiB
  redirect  the information file moved: 302 to /moved.inf on this server, which
            offers the newer version
  redirect-away  302 to a plain-HTTP address on another host, which the
            updater must not follow
"""
import argparse
import hashlib
import http.server
import random
import ssl
import sys
import time

NEWER_VERSION = "9.0.0.0"
SAME_VERSION = "1.0.0.0"
MODES = ("newer", "same", "mismatch", "garbage", "slow", "missing", "hostile", "oversize",
         "redirect", "redirect-away")


def installer_bytes(marker):
    lines = ["@echo off"]
    if marker:
        lines.append('echo ran> "%s"' % marker)
    lines.append("exit /b 0")
    return ("\r\n".join(lines) + "\r\n").encode("ascii")


def info_bytes(mode, port, installer):
    url = "http://127.0.0.1:%d/setup.cmd" % port
    digest = hashlib.sha256(installer).hexdigest()
    if mode == "garbage":
        rng = random.Random(1)
        return bytes(rng.randrange(256) for _ in range(3000))
    if mode == "mismatch":
        digest = hashlib.sha256(installer + b"changed").hexdigest()
    version = {
        "newer": NEWER_VERSION,
        "redirect": NEWER_VERSION,
        "mismatch": NEWER_VERSION,
        "oversize": NEWER_VERSION,
        "hostile": "9999999999.x",
    }.get(mode, SAME_VERSION)
    text = "version=%s\r\nurl=%s\r\nsha256=%s\r\n" % (version, url, digest)
    if mode == "oversize":
        text += ("# padding " + "x" * 90 + "\r\n") * 700
    return text.encode("ascii")


def make_handler(mode, delay, installer):
    class Handler(http.server.BaseHTTPRequestHandler):
        protocol_version = "HTTP/1.1"

        def setup(self):
            if isinstance(self.request, ssl.SSLSocket):
                self.request.do_handshake()
            super().setup()

        def do_GET(self):
            port = self.server.server_address[1]
            if self.path == "/framewright.inf":
                if mode == "slow":
                    time.sleep(delay)
                if mode == "missing":
                    self.answer(404, b"not found")
                elif mode == "redirect":
                    self.answer(302, b"", "/moved.inf")
                elif mode == "redirect-away":
                    self.answer(302, b"", "http://www.brimvale.example/framewright.inf")
                else:
                    self.answer(200, info_bytes(mode, port, installer))
            elif self.path == "/moved.inf" and mode == "redirect":
                self.answer(200, info_bytes(mode, port, installer))
            elif self.path == "/setup.cmd":
                self.answer(200, installer)
            else:
                self.answer(404, b"not found")

        def answer(self, status, body, location=None):
            self.send_response(status)
            if location:
                self.send_header("Location", location)
            self.send_header("Content-Type", "application/octet-stream")
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body)

        def log_message(self, fmt, *args):
            sys.stderr.write("request: %s\n" % (fmt % args))
            sys.stderr.flush()

    return Handler


class LoggingServer(http.server.ThreadingHTTPServer):
    def handle_error(self, request, client_address):
        sys.stderr.write("connection error: %s\n" % (sys.exc_info()[1],))
        sys.stderr.flush()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("mode", choices=MODES)
    parser.add_argument("--marker", default="", help="Windows path the installer writes")
    parser.add_argument("--delay", type=float, default=3.0, help="seconds, for mode slow")
    parser.add_argument("--tls", nargs=2, metavar=("CERT", "KEY"), help="serve HTTPS")
    args = parser.parse_args()
    installer = installer_bytes(args.marker)
    server = LoggingServer(("127.0.0.1", 0), make_handler(args.mode, args.delay, installer))
    server.daemon_threads = True
    if args.tls:
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(args.tls[0], args.tls[1])
        # The handshake runs in the request's own thread, so that a refused
        # certificate shows up in the log as a connection error.
        server.socket = context.wrap_socket(
            server.socket, server_side=True, do_handshake_on_connect=False)
    print(server.server_address[1], flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass


if __name__ == "__main__":
    main()
