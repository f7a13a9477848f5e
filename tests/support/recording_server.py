#!/usr/bin/env python3
"""A stand-in for the web: answers every request with a small page and records it.

The web engine is pointed at this server as its HTTP proxy, so a request for
http://v.baidu.com/v?word=x arrives here as "GET http://v.baidu.com/v?word=x".
Each request line is appended to the log file as it arrives; the port chosen is
written to the port file once the server listens. Stops by itself after --lifetime
seconds so a forgotten server never lingers. With --timestamps each line starts with
the time of arrival on time.monotonic(), the CLOCK_MONOTONIC every process shares,
so a launcher can subtract its own start time.
"""
import argparse
import http.server
import os
import socketserver
import threading
import time

PAGE = b"<!doctype html><html><head><meta charset='utf-8'><title>test page</title></head><body>ok</body></html>"
# Served where the address asks for it: a page that takes the Esc key for itself.
KEEPS_ESCAPE = (b"<!doctype html><html><head><meta charset='utf-8'><title>keeps escape</title></head>"
                b"<body>keeps escape<script>addEventListener('keydown', function (e) {"
                b" if (e.key === 'Escape') e.preventDefault(); });</script></body></html>")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--log", required=True)
    parser.add_argument("--port-file", required=True)
    parser.add_argument("--lifetime", type=float, default=600)
    parser.add_argument("--garbage", action="store_true", help="answer with bytes that are not HTTP")
    parser.add_argument("--timestamps", action="store_true", help="start each line with the time of arrival")
    args = parser.parse_args()
    lock = threading.Lock()

    class Handler(http.server.BaseHTTPRequestHandler):
        protocol_version = "HTTP/1.0"

        def log_message(self, *unused):
            pass

        def record(self):
            stamp = f"{time.monotonic():.6f} " if args.timestamps else ""
            with lock, open(args.log, "a", encoding="utf-8", errors="replace") as log:
                log.write(f"{stamp}{self.command} {self.path}\n")

        def answer(self):
            self.record()
            try:
                if args.garbage:
                    self.wfile.write(b"\x00\xff garbage \x01\x02\r\n\r\n")
                    return
                page = KEEPS_ESCAPE if "keepescape" in self.path else PAGE
                self.send_response(200)
                self.send_header("Content-Type", "text/html; charset=utf-8")
                self.send_header("Content-Length", str(len(page)))
                self.end_headers()
                if self.command != "HEAD":
                    self.wfile.write(page)
            except (BrokenPipeError, ConnectionResetError):
                pass  # the engine gave up on this page for a newer one

        do_GET = answer
        do_POST = answer
        do_HEAD = answer

        def do_CONNECT(self):
            self.record()
            self.send_response(502)
            self.end_headers()

    class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
        daemon_threads = True
        allow_reuse_address = True

    server = Server(("127.0.0.1", 0), Handler)
    tmp = args.port_file + ".tmp"
    with open(tmp, "w") as f:
        f.write(str(server.server_address[1]))
    os.replace(tmp, args.port_file)
    threading.Timer(args.lifetime, server.shutdown).start()
    server.serve_forever()


if __name__ == "__main__":
    main()
