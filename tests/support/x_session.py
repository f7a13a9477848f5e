"""Processes under an Xvfb of their own, for the end-to-end test and the benchmark:
every wait has a deadline, and every process started is stopped at the end."""
import os
import re
import shutil
import signal
import subprocess
import tempfile
import time

# Generous: a loaded two-core machine starts the web engine slowly. Waits end early on success.
WAIT = 60.0


class Failure(Exception):
    pass


def wait_until(what, probe, timeout=WAIT, poll=0.05, guards=()):
    """Polls probe until it returns something true; fails naming what never happened.
    The guards run on every poll, so a crashed program fails the wait at once."""
    deadline = time.monotonic() + timeout
    while True:
        for guard in guards:
            guard()
        result = probe()
        if result:
            return result
        if time.monotonic() > deadline:
            raise Failure(f"gave up waiting for {what}")
        time.sleep(poll)


class Session:
    """Owns every process started through it; close() stops them all, each with its group."""

    def __init__(self, prefix, screen=(1920, 1080), grace=10):
        self.tmp = tempfile.mkdtemp(prefix=prefix)
        self.screen = screen
        self.grace = grace  # seconds a group has after SIGTERM before SIGKILL
        self.processes = []
        self.display = None

    def start(self, name, argv, env=None, stdout=None):
        """Output goes to <tmp>/<name>.out unless stdout is given."""
        out = stdout if stdout is not None else open(os.path.join(self.tmp, f"{name}.out"), "ab")
        # A group of its own, so helper processes (the web engine's) go with their program.
        proc = subprocess.Popen(argv, stdout=out, stderr=subprocess.STDOUT if stdout is None else None,
                                env=env, start_new_session=True)
        if stdout is None:
            out.close()
        self.processes.append(proc)
        return proc

    def output(self, name):
        try:
            with open(os.path.join(self.tmp, f"{name}.out"), encoding="utf-8", errors="replace") as f:
                return f.read()
        except FileNotFoundError:
            return ""

    def stop(self, proc):
        for sig in (signal.SIGTERM, signal.SIGKILL):
            try:
                os.killpg(proc.pid, sig)
            except ProcessLookupError:
                break
            try:
                proc.wait(timeout=self.grace)
                # The group may outlive its leader for a moment: SIGKILL what is left.
                try:
                    os.killpg(proc.pid, signal.SIGKILL)
                except ProcessLookupError:
                    pass
                break
            except subprocess.TimeoutExpired:
                continue
        if proc in self.processes:
            self.processes.remove(proc)

    def close(self):
        for proc in reversed(list(self.processes)):
            self.stop(proc)
        shutil.rmtree(self.tmp, ignore_errors=True)

    def start_xvfb(self):
        width, height = self.screen
        for n in range(90, 100):
            if os.path.exists(f"/tmp/.X{n}-lock") or os.path.exists(f"/tmp/.X11-unix/X{n}"):
                continue
            proc = self.start(f"xvfb{n}", ["Xvfb", f":{n}", "-screen", "0", f"{width}x{height}x24", "-nolisten", "tcp"])
            # Either its socket appears, or it lost a race for the number and exits.
            state = wait_until(f"Xvfb on :{n}", lambda: "up" if os.path.exists(f"/tmp/.X11-unix/X{n}")
                               else ("gone" if proc.poll() is not None else None))
            if state == "up":
                self.display = f":{n}"
                return
        raise Failure("no free display among :90..:99")

    def x(self, *argv, check=True):
        """Runs an X tool on our display; returns its output. Without check a failure
        gives what it printed: xdotool search fails when it finds nothing."""
        env = dict(os.environ, DISPLAY=self.display)
        done = subprocess.run(argv, env=env, capture_output=True, text=True, timeout=WAIT)
        if check and done.returncode != 0:
            raise Failure(f"{' '.join(argv)} failed: {done.stderr.strip()}")
        return done.stdout

    def find_window(self, name):
        """The first mapped window with that exact title."""
        ids = self.x("xdotool", "search", "--onlyvisible", "--name", f"^{re.escape(name)}$", check=False).split()
        return ids[0] if ids else None

    def find_popup(self, besides):
        """A mapped untitled window of the program other than those given."""
        found = self.x("xdotool", "search", "--onlyvisible", "--class", "^chenglan$", check=False)
        for window in found.split():
            try:
                if window not in besides and self.geometry(window)[3] > 1:
                    return window
            except Failure:
                continue  # gone meanwhile
        return None

    def geometry(self, window):
        info = self.x("xwininfo", "-id", window)
        field = lambda label: int(re.search(rf"{label}:\s+(-?\d+)", info).group(1))
        return (field("Absolute upper-left X"), field("Absolute upper-left Y"), field("Width"), field("Height"))

    def click(self, x, y):
        self.x("xdotool", "mousemove", "--sync", str(x), str(y))
        self.x("xdotool", "click", "1")

    def focus(self, window):
        # No window manager: the caller hands out the X focus itself.
        self.x("xdotool", "windowfocus", "--sync", window)
