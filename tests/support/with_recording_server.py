#!/usr/bin/env python3
"""Runs a command with the web engine's traffic routed to a local recording server.

Usage: with_recording_server.py [--garbage | --unreachable] -- command [args...]

Starts recording_server.py on a free port of 127.0.0.1 and runs the command with
QTWEBENGINE_CHROMIUM_FLAGS pointing the engine at it as its proxy, the engine's
sandbox off (the tests run as root) and RECORDING_LOG naming the file where each
request line lands. Returns the command's exit code and stops the server.
"""
import os
import socket
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))


def engine_environment(port, tmp, mode):
    env = dict(os.environ)
    env["QTWEBENGINE_DISABLE_SANDBOX"] = "1"
    env["QTWEBENGINE_CHROMIUM_FLAGS"] = (
        f"--proxy-server=http://127.0.0.1:{port} --proxy-bypass-list=<-loopback> "
        "--disable-gpu --disable-background-networking")
    env["RECORDING_MODE"] = mode
    env.setdefault("XDG_RUNTIME_DIR", tmp)
    return env


def run_unreachable(command):
    # A port that was free a moment ago and that nobody listens on.
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        port = probe.getsockname()[1]
    with tempfile.TemporaryDirectory(prefix="chenglan-web-") as tmp:
        return subprocess.call(command, env=engine_environment(port, tmp, "unreachable"))


def main():
    args = sys.argv[1:]
    options = args[: args.index("--")]
    command = args[args.index("--") + 1:]
    garbage = "--garbage" in options
    if "--unreachable" in options:
        return run_unreachable(command)
    with tempfile.TemporaryDirectory(prefix="chenglan-web-") as tmp:
        log = os.path.join(tmp, "requests.log")
        port_file = os.path.join(tmp, "port")
        open(log, "w").close()
        server_args = [sys.executable, os.path.join(HERE, "recording_server.py"), "--log", log,
                       "--port-file", port_file, "--lifetime", "900"]
        if garbage:
            server_args.append("--garbage")
        server = subprocess.Popen(server_args)
        try:
            deadline = time.monotonic() + 30
            while not os.path.exists(port_file):
                if time.monotonic() > deadline or server.poll() is not None:
                    print("recording server did not start", file=sys.stderr)
                    return 1
                time.sleep(0.05)
            port = open(port_file).read().strip()
            env = engine_environment(port, tmp, "garbage" if garbage else "pages")
            env["RECORDING_LOG"] = log
            return subprocess.call(command, env=env)
        finally:
            server.terminate()
            server.wait()


if __name__ == "__main__":
    sys.exit(main())
