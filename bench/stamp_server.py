#!/usr/bin/env python3
"""A stand-in for the web that stamps each request with the time it arrived.

Used as the browsers' HTTP proxy, so a request for http://v.baidu.com/ arrives as
"GET http://v.baidu.com/". Each request is appended to the log as
"<time.monotonic()> <method> <target>": CLOCK_MONOTONIC, which every process on the
machine shares, so the launcher can subtract its own start time. Answers every
request with a small page; refuses tunnels. Listens on 127.0.0.1 only and stops by
itself after --lifetime seconds.
"""
import argparse
import http.server
import os
import socketserver
import threading
import time

PAGE = b"<!doctype html><html><head><meta charset='utf-8'><title>bench page</title></head><body>ok</body></html>"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--log", required=True)
    parser.add_argument("--port-file", required=True)
    parser.add_argument("--lifetime", type=float, default=900)
    args = parser.parse_args()
    lock = threading.Lock()
    log = open(args.log, "a", encoding="utf-8", errors="replace", buffering=1)

    class Handler(http.server.BaseHTTPRequestHandler):
        protocol_version = "HTTP/1.0"

        def log_message(self, *unused):
            pass

        def record(self):
            arrived = time.monotonic()
            with lock:
                log.write(f"{arrived:.6f} {self.command} {self.path}\n")

        def answer(self):
            self.record()
            self.send_response(200)
            self.send_header("Content-Type", "text/html; charset=utf-8")
            self.send_header("Content-Length", str(len(PAGE)))
            self.end_headers()
            if self.command != "HEAD":
                self.wfile.write(PAGE)

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
