#!/usr/bin/env python3
"""Drives the real program with real X input under Xvfb and checks, at a recording
proxy, every address the web engine asks for.

Usage: chenglan_e2e.py --chenglan PATH
Needs Xvfb, xdotool and xwininfo (x11-utils). Exits 0 when every check passed.
"""
import argparse
import functools
import os
import shutil
import signal
import subprocess
import sys
import time

SCRIPT_DIR = os.path.dirname(os.path.abspath(__file__))
RECORDING_SERVER = os.path.join(SCRIPT_DIR, "..", "support", "recording_server.py")
sys.path.insert(0, os.path.join(SCRIPT_DIR, "..", "support"))
import x_session  # noqa: E402
from x_session import WAIT, Failure, Session  # noqa: E402

WIDTH, HEIGHT = 1920, 1080
UNIT = WIDTH // 13
BUTTON_BAR_TOP, BAR_HEIGHT = 24, 24
BUTTONS = ["百度", "谷歌", "雅虎", "网易", "搜狐", "SOSO搜搜", "微软", "中搜", "新浪", "百度文库", "文档搜索", "百度国学", "谷歌学术"]
KEYWORD_BOX_CENTRE = (UNIT + 5 * UNIT // 2, 12)
TOPIC_LIST_LEFT = 7 * UNIT  # 组合框1, "博览群书"

START_PAGE = "GET http://v.baidu.com/"


def live_search(wire_keyword):
    return f"GET http://v.baidu.com/v?word={wire_keyword}"


# Checks run on every poll, so a crashed program fails the wait at once.
GUARDS = []
wait_until = functools.partial(x_session.wait_until, guards=GUARDS)


class RequestLog:
    """The proxy's log, read in steps: each step sees only the requests since the last."""

    def __init__(self, path):
        self.path = path
        self.seen = 0

    def lines(self):
        try:
            with open(self.path, encoding="utf-8", errors="replace") as f:
                text = f.read()
        except FileNotFoundError:
            return []
        # A line still being written has no newline yet.
        return [line for line in text.split("\n")[:-1] if not line.endswith("/favicon.ico")]

    def new(self):
        return self.lines()[self.seen:]

    def expect(self, expected, tolerated=()):
        """Waits for the expected request; every other new request must be tolerated."""
        fresh = wait_until(f"request {expected!r} (new requests so far: {self.new()})",
                           lambda: (lambda new: new if expected in new else None)(self.new()))
        stray = [line for line in fresh if line != expected and line not in tolerated]
        if stray:
            raise Failure(f"while waiting for {expected!r} also got unexpected requests {stray}")
        self.seen += len(fresh)
        return fresh

    def expect_nothing_but(self, tolerated):
        stray = [line for line in self.new() if line not in tolerated]
        if stray:
            raise Failure(f"unexpected requests {stray}")


def button_centre(name):
    i = BUTTONS.index(name)
    return (i * UNIT + UNIT // 2, BUTTON_BAR_TOP + BAR_HEIGHT // 2)


def run(chenglan):
    checked = []
    session = Session("chenglan-e2e-", screen=(WIDTH, HEIGHT))
    try:
        session.start_xvfb()

        log = RequestLog(os.path.join(session.tmp, "requests.log"))
        port_file = os.path.join(session.tmp, "port")
        session.start("server", [sys.executable, RECORDING_SERVER, "--log", log.path,
                                 "--port-file", port_file, "--lifetime", "300"])
        wait_until("the recording server's port", lambda: os.path.exists(port_file))
        with open(port_file) as f:
            port = int(f.read())

        runtime_dir = os.path.join(session.tmp, "runtime")
        os.mkdir(runtime_dir, 0o700)
        env = dict(os.environ,
                   DISPLAY=session.display,
                   QTWEBENGINE_DISABLE_SANDBOX="1",
                   QTWEBENGINE_CHROMIUM_FLAGS=f"--proxy-server=http://127.0.0.1:{port} "
                                              "--proxy-bypass-list=<-loopback> --disable-gpu",
                   XDG_RUNTIME_DIR=runtime_dir)
        env.pop("WAYLAND_DISPLAY", None)
        env.pop("QT_QPA_PLATFORM", None)
        program = session.start("chenglan", [chenglan], env=env)

        def still_running():
            if program.poll() is not None:
                raise Failure(f"chenglan exited early with code {program.returncode}:\n{session.output('chenglan')}")

        GUARDS.append(still_running)

        # a. The start page.
        log.expect(START_PAGE)
        checked.append("start page requested: " + START_PAGE)

        # b. The main window fills the screen.
        main = wait_until("the main window 澄览", lambda: session.find_window("澄览"))
        geometry = None

        def placed():
            nonlocal geometry
            geometry = session.geometry(main)
            return geometry == (0, 0, WIDTH, HEIGHT)

        try:
            wait_until("the main window at 0,0 sized 1920x1080", placed)
        except Failure:
            raise Failure(f"main window geometry is {geometry}, want (0, 0, {WIDTH}, {HEIGHT})")
        checked.append(f"main window at 0,0 size {WIDTH}x{HEIGHT}")

        # c. Each keystroke in the keyword box (focused at start) searches at once.
        session.focus(main)
        session.x("xdotool", "type", "a")
        log.expect(live_search("a"))
        session.x("xdotool", "type", "b")
        log.expect(live_search("ab"), tolerated=[live_search("a")])
        checked.append("typing a, b searched word=a, then word=ab")

        # d, e. Real clicks on search buttons use the keyword typed.
        clicks = [
            ("谷歌", "GET http://www.google.com.hk/search?q=ab&tbo=p&tbm=vid&source=vgc&hl=zh-CN&aq=f"),
            ("百度文库", "GET http://wenku.baidu.com/search?word=ab"),
        ]
        previous = live_search("ab")
        for button, expected in clicks:
            session.click(*button_centre(button))
            log.expect(expected, tolerated=[previous])  # a late twin of the previous navigation is fine
            checked.append(f"clicking {button}: {expected}")
            previous = expected

        # f. Dropping down 组合框1 and picking its first item, 时事政治, searches for it.
        session.click(TOPIC_LIST_LEFT + UNIT - 8, 12)
        popup = wait_until("the drop-down list of 组合框1", lambda: session.find_popup([main]))
        px, py, pw, ph = session.geometry(popup)
        if not (abs(px - TOPIC_LIST_LEFT) <= 2 and pw >= UNIT - 2 and ph > 40):
            raise Failure(f"the drop-down list is at {(px, py, pw, ph)}, not under 组合框1")
        session.click(px + pw // 3, py + 8)  # inside the first row whatever the font
        topic = "GET http://www.baidu.com/s?wd=%E6%97%B6%E4%BA%8B%E6%94%BF%E6%B2%BB"
        log.expect(topic, tolerated=[previous])
        checked.append(f"choosing 时事政治 from 博览群书: {topic}")

        # g. A keyword with a space and "&" goes out as the engine escapes it: the
        # space as %20, the & left alone to split the query.
        session.click(*KEYWORD_BOX_CENTRE)
        session.focus(main)
        session.x("xdotool", "key", "ctrl+a")
        typed = "a b&c"
        session.x("xdotool", "type", "--delay", "60", typed)
        wire = lambda s: s.replace(" ", "%20")
        prefixes = [live_search(wire(typed[:i])) for i in range(1, len(typed))]
        final = live_search(wire(typed))
        log.expect(final, tolerated=[topic] + prefixes)
        checked.append(f"typing {typed!r} over the selected keyword: {final}")

        question = "提醒:"

        def escape_then_no(where):
            session.x("xdotool", "key", "Escape")
            box = wait_until(f"the 提醒: message box after Esc in {where}", lambda: session.find_window(question))
            session.focus(box)
            session.x("xdotool", "key", "n")
            wait_until("the message box to go after No", lambda: session.find_window(question) is None)

        # Esc in the browser pane: the page gets it first; left unused, it asks to close.
        pane_centre = (WIDTH // 2, HEIGHT // 2)
        session.click(*pane_centre)
        escape_then_no("the pane")
        checked.append("Esc in the pane, page not using it: asked, No keeps running")

        # A page that takes Esc for itself (the test server serves one for this keyword) keeps it.
        session.click(*KEYWORD_BOX_CENTRE)
        session.focus(main)
        session.x("xdotool", "key", "ctrl+a")
        typed = "keepescape"
        session.x("xdotool", "type", "--delay", "60", typed)
        prefixes = [live_search(typed[:i]) for i in range(1, len(typed))]
        previous, final = final, live_search(typed)
        log.expect(final, tolerated=[previous] + prefixes)
        session.click(*pane_centre)
        session.x("xdotool", "key", "Escape")
        time.sleep(1.5)  # proves an absence: a slow machine can only pass it wrongly
        if session.find_window(question) is not None:
            raise Failure("Esc asked to close although the page used it")
        checked.append("Esc in the pane, page using it: no question")

        # h. Esc asks before closing: No keeps the program, Yes ends it with code 0.
        session.click(*KEYWORD_BOX_CENTRE)
        escape_then_no("the keyword box")
        still_running()
        if session.find_window("澄览") != main:
            raise Failure("the main window is gone after answering No")
        checked.append("Esc, then No: still running")

        session.focus(main)
        session.x("xdotool", "key", "Escape")
        box = wait_until("the 提醒: message box again", lambda: session.find_window(question))
        session.focus(box)
        session.x("xdotool", "key", "Return")  # Yes is the default button
        GUARDS.clear()  # exiting is now the point
        try:
            code = program.wait(timeout=WAIT)
        except subprocess.TimeoutExpired:
            raise Failure("chenglan still runs after answering Yes")
        if code != 0:
            raise Failure(f"chenglan exited with code {code} after Yes:\n{session.output('chenglan')}")
        checked.append("Esc, then Yes (Return): exited with code 0")

        log.expect_nothing_but([final])
        checked.append("no request other than those expected")
        return checked
    except Failure:
        shot = os.environ.get("CHENGLAN_E2E_SCREENSHOT")
        if shot and session.display:
            subprocess.run(["import", "-display", session.display, "-window", "root", shot],
                           capture_output=True, timeout=WAIT)
        raise
    finally:
        GUARDS.clear()
        session.close()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--chenglan", required=True, help="the built program")
    args = parser.parse_args()
    chenglan = os.path.abspath(args.chenglan)
    if not (os.path.isfile(chenglan) and os.access(chenglan, os.X_OK)):
        print(f"FAIL: {chenglan} is no executable file", file=sys.stderr)
        return 2
    missing = [tool for tool in ("Xvfb", "xdotool", "xwininfo") if not shutil.which(tool)]
    if missing:
        print(f"FAIL: missing tools: {', '.join(missing)}", file=sys.stderr)
        return 2
    # A runner's timeout sends SIGTERM: unwind, so every started process is stopped.
    signal.signal(signal.SIGTERM, lambda *unused: sys.exit("FAIL: terminated"))
    try:
        checked = run(chenglan)
    except Failure as failure:
        print(f"FAIL: {failure}", file=sys.stderr)
        return 1
    print("chenglan end-to-end: all passed")
    for line in checked:
        print(f"  ok  {line}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
