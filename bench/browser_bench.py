#!/usr/bin/env python3
"""Start-up, keystroke-to-request and memory of the real 澄览 beside a plain Chromium,
both under one Xvfb with all web traffic routed to a local stamping server.

Usage: browser_bench.py --chenglan PATH [--chromium PATH] [--runs N]
                        [--events-json FILE] [--json FILE]

Times are CLOCK_MONOTONIC throughout (time.monotonic() here, clock_gettime in the map
waiter, time.monotonic() in the server), so they subtract across processes. Prints the
figures of each run as it goes and a table at the end. Every wait has a deadline, and
every process started is stopped at the end, on failure and on Ctrl-C too.
"""
import argparse
import json
import os
import select
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
SUPPORT = os.path.join(HERE, os.pardir, "tests", "support")
RECORDING_SERVER = os.path.join(SUPPORT, "recording_server.py")
sys.path.insert(0, SUPPORT)
from x_session import WAIT, Failure, Session, wait_until  # noqa: E402

WIDTH, HEIGHT = 1920, 1080
UNIT = WIDTH // 13
BUTTON_Y = 24 + 24 // 2
START_PAGE = "GET http://v.baidu.com/"
SETTLE = 1.5          # after a page's request, before reading memory: the page renders meanwhile
SEARCHES = 100
BUTTON_PAGES = {       # button index in the bar -> the request it makes for keyword k
    0: lambda k: f"GET http://v.baidu.com/v?word={k}",
    1: lambda k: f"GET http://www.google.com.hk/search?q={k}&tbo=p&tbm=vid&source=vgc&hl=zh-CN&aq=f",
}


class RequestLog:
    """The server's log: lines of '<monotonic> <method> <target>'."""

    def __init__(self, path):
        self.path = path

    def entries(self):
        with open(self.path, encoding="utf-8", errors="replace") as f:
            text = f.read()
        out = []
        for line in text.split("\n")[:-1]:  # the last piece may be half written
            stamp, _, request = line.partition(" ")
            out.append((float(stamp), request))
        return out

    def mark(self):
        return len(self.entries())

    def wait_for(self, request, since, timeout=WAIT):
        """Waits for the request among the entries after index since; returns (time, index)."""
        def probe():
            for i, (stamp, seen) in enumerate(self.entries()[since:], since):
                if seen == request:
                    return (stamp, i)
            return None
        return wait_until(f"request {request!r}", probe, timeout, poll=0.002)

    def first_matching(self, predicate, since):
        for stamp, seen in self.entries()[since:]:
            if predicate(seen):
                return stamp
        return None


class MapWaiter:
    """The xcb map waiter, listening before the program starts."""

    def __init__(self, session, mapwait, criterion):
        env = dict(os.environ, DISPLAY=session.display)
        self.proc = subprocess.Popen([mapwait, *criterion, "--timeout", str(WAIT)], stdout=subprocess.PIPE,
                                     env=env, start_new_session=True, text=True)
        session.processes.append(self.proc)
        self.session = session
        if self.line() != "ready":
            raise Failure("the map waiter did not start")

    def line(self):
        ready, _, _ = select.select([self.proc.stdout], [], [], WAIT)
        if not ready:
            raise Failure("the map waiter said nothing")
        return self.proc.stdout.readline().strip()

    def mapped(self):
        """(monotonic time of the map, window id)"""
        words = self.line().split(" ", 3)
        self.proc.wait(timeout=WAIT)
        self.session.processes.remove(self.proc)
        if len(words) < 3 or words[0] != "mapped":
            raise Failure("no window was mapped in time")
        return float(words[1]), words[2]


def marked_processes(marker):
    """Processes whose command line names the marker: helpers that left the session."""
    found = []
    for entry in os.listdir("/proc"):
        try:
            if entry.isdigit() and marker in open(f"/proc/{entry}/cmdline", "rb").read().decode(errors="replace"):
                found.append(int(entry))
        except (FileNotFoundError, ProcessLookupError):
            continue
    return found


def process_tree_memory(leader, marker=None):
    """RSS and PSS summed over every process of the leader's session, and those naming
    the marker, in bytes."""
    rss = pss = count = 0
    marked = set(marked_processes(marker)) if marker else set()
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open(f"/proc/{entry}/stat") as f:
                fields = f.read().rsplit(")", 1)[1].split()
            if int(fields[3]) != leader and int(entry) not in marked:  # fields[3]: the session id
                continue
            with open(f"/proc/{entry}/smaps_rollup") as f:
                for line in f:
                    if line.startswith("Rss:"):
                        rss += int(line.split()[1]) * 1024
                    elif line.startswith("Pss:"):
                        pss += int(line.split()[1]) * 1024
            count += 1
        except (FileNotFoundError, ProcessLookupError, IndexError, ValueError):
            continue  # gone meanwhile
    return {"rss": rss, "pss": pss, "processes": count}


def run_chenglan(session, args, log, env, run):
    waiter = MapWaiter(session, args.mapwait, ["--title", "澄览"])
    since = log.mark()
    t0 = time.monotonic()
    program = session.start(f"chenglan{run}", [args.chenglan], env=env)
    try:
        mapped, window = waiter.mapped()
        requested, _ = log.wait_for(START_PAGE, since)
        figures = {"mapped_ms": (mapped - t0) * 1000, "request_ms": (requested - t0) * 1000}

        time.sleep(SETTLE)
        figures["mem_start"] = process_tree_memory(program.pid)

        # Keystroke to request: the keyword box has the focus from the start.
        keyword = f"kw{run:02d}abcdefghijklmnop"[:20]
        session.focus(window)
        since = log.mark()
        sending = time.monotonic()
        session.x("xdotool", "type", "--delay", "0", keyword)
        sent = time.monotonic()
        arrived, index = log.wait_for(BUTTON_PAGES[0](keyword), since)
        figures["keystroke_to_request_ms"] = (arrived - sent) * 1000
        figures["typing_ms"] = (sent - sending) * 1000

        # One more key once the engine has gone quiet: the latency of a single keystroke.
        time.sleep(SETTLE)
        keyword += "z"
        since = index + 1
        session.x("xdotool", "type", "--delay", "0", "z")
        sent = time.monotonic()
        arrived, index = log.wait_for(BUTTON_PAGES[0](keyword), since)
        figures["single_key_to_request_ms"] = (arrived - sent) * 1000

        # Searches alternate between the first two buttons, each waited for at the server.
        since = index + 1
        for n in range(SEARCHES):
            button = (n + 1) % 2
            session.x("xdotool", "mousemove", "--sync", str(button * UNIT + UNIT // 2), str(BUTTON_Y), "click", "1")
            _, index = log.wait_for(BUTTON_PAGES[button](keyword), since, timeout=20)
            since = index + 1
        time.sleep(SETTLE)
        figures["mem_searches"] = process_tree_memory(program.pid)
        if program.poll() is not None:
            raise Failure(f"chenglan ended early with code {program.returncode}")
        return figures
    finally:
        session.stop(program)


def run_chromium(session, args, log, env, run):
    waiter = MapWaiter(session, args.mapwait, ["--min-size", "200"])
    profile = tempfile.mkdtemp(prefix="profile-", dir=session.tmp)
    # Its crash handler keeps a database under the configuration folder, and leaves the
    # browser's session: both stay in the run's own folder, which also names them.
    env = dict(env, XDG_CONFIG_HOME=os.path.join(profile, "config"), XDG_CACHE_HOME=os.path.join(profile, "cache"))
    since = log.mark()
    argv = [args.chromium, "--app=http://v.baidu.com/", f"--user-data-dir={profile}",
            *env["QTWEBENGINE_CHROMIUM_FLAGS"].split(), "--no-first-run", "--disable-background-networking",
            "--disable-component-update", "--disable-sync", "--no-sandbox"]
    t0 = time.monotonic()
    browser = session.start(f"chromium{run}", argv, env=env)
    try:
        mapped, _ = waiter.mapped()
        requested, _ = log.wait_for(START_PAGE, since)
        figures = {"mapped_ms": (mapped - t0) * 1000, "request_ms": (requested - t0) * 1000}
        # Anything for the start page's host, an attempt at https first included.
        first = log.first_matching(lambda r: "v.baidu.com" in r.split(" ", 1)[-1], since)
        figures["first_host_ms"] = (first - t0) * 1000
        time.sleep(SETTLE)
        figures["mem_start"] = process_tree_memory(browser.pid, profile)
        return figures
    finally:
        session.stop(browser)
        for pid in marked_processes(profile):
            try:
                os.kill(pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
        shutil.rmtree(profile, ignore_errors=True)


def stats(values):
    return {"median": statistics.median(values), "min": min(values), "max": max(values), "runs": values}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--chenglan", required=True)
    parser.add_argument("--chromium", default=shutil.which("chromium") or "chromium")
    parser.add_argument("--mapwait", required=True, help="chenglan_bench_mapwait")
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--events-json", help="the figures chenglan_bench_events wrote, for the table")
    parser.add_argument("--json", help="write every figure here")
    args = parser.parse_args()
    # A runner's timeout or Ctrl-C unwinds through finally, which stops everything.
    signal.signal(signal.SIGTERM, lambda *unused: sys.exit("browser_bench: terminated"))

    session = Session("chenglan-bench-", screen=(WIDTH, HEIGHT), grace=5)
    try:
        session.start_xvfb()
        log_path = os.path.join(session.tmp, "requests.log")
        port_file = os.path.join(session.tmp, "port")
        open(log_path, "w").close()
        session.start("server", [sys.executable, RECORDING_SERVER, "--timestamps", "--log", log_path,
                                 "--port-file", port_file, "--lifetime", "1200"])
        wait_until("the stamping server", lambda: os.path.exists(port_file))
        port = open(port_file).read().strip()
        log = RequestLog(log_path)
        runtime = os.path.join(session.tmp, "runtime")
        os.mkdir(runtime, 0o700)
        env = dict(os.environ, DISPLAY=session.display, XDG_RUNTIME_DIR=runtime, LC_ALL="C.UTF-8",
                   QTWEBENGINE_DISABLE_SANDBOX="1",
                   QTWEBENGINE_CHROMIUM_FLAGS=f"--proxy-server=http://127.0.0.1:{port} "
                                              "--proxy-bypass-list=<-loopback> --disable-gpu")
        for name in ("WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "DBUS_SESSION_BUS_ADDRESS"):
            env.pop(name, None)

        # One run of each first, not counted: the files they read are then in the page cache.
        print("warm-up run of each (not counted)", flush=True)
        run_chenglan(session, args, log, env, 99)
        run_chromium(session, args, log, env, 99)
        ours, theirs = [], []
        for run in range(args.runs):  # interleaved, so a slow patch of the machine hits both
            ours.append(run_chenglan(session, args, log, env, run))
            theirs.append(run_chromium(session, args, log, env, run))
            o, t = ours[-1], theirs[-1]
            print(f"run {run + 1}: 澄览 mapped {o['mapped_ms']:.0f} ms, request {o['request_ms']:.0f} ms, "
                  f"keystroke->request {o['keystroke_to_request_ms']:.1f} ms (typing took {o['typing_ms']:.1f} ms; "
                  f"one key {o['single_key_to_request_ms']:.1f} ms), "
                  f"tree RSS {o['mem_start']['rss'] / 2**20:.0f} -> {o['mem_searches']['rss'] / 2**20:.0f} MiB "
                  f"in {o['mem_start']['processes']}->{o['mem_searches']['processes']} processes | "
                  f"Chromium mapped {t['mapped_ms']:.0f} ms, request {t['request_ms']:.0f} ms "
                  f"(first for the host {t['first_host_ms']:.0f} ms), tree RSS {t['mem_start']['rss'] / 2**20:.0f} MiB "
                  f"in {t['mem_start']['processes']} processes", flush=True)
    except KeyboardInterrupt:
        print("browser_bench: interrupted; stopping everything it started", file=sys.stderr)
        return 130
    except Failure as failure:
        print(f"browser_bench: {failure}", file=sys.stderr)
        for name in sorted(os.listdir(session.tmp)):
            if name.endswith(".out"):
                print(f"--- {name} (last lines)", file=sys.stderr)
                with open(os.path.join(session.tmp, name), errors="replace") as f:
                    print("".join(f.readlines()[-15:]), file=sys.stderr)
        return 1
    finally:
        session.close()

    figures = {
        "chenglan_mapped_ms": stats([o["mapped_ms"] for o in ours]),
        "chenglan_request_ms": stats([o["request_ms"] for o in ours]),
        "chromium_mapped_ms": stats([t["mapped_ms"] for t in theirs]),
        "chromium_request_ms": stats([t["request_ms"] for t in theirs]),
        "chromium_first_host_ms": stats([t["first_host_ms"] for t in theirs]),
        "ratio_mapped": stats([o["mapped_ms"] / t["mapped_ms"] for o, t in zip(ours, theirs)]),
        "ratio_request": stats([o["request_ms"] / t["request_ms"] for o, t in zip(ours, theirs)]),
        "keystroke_to_request_ms": stats([o["keystroke_to_request_ms"] for o in ours]),
        "single_key_to_request_ms": stats([o["single_key_to_request_ms"] for o in ours]),
        "chenglan_rss_start_mib": stats([o["mem_start"]["rss"] / 2**20 for o in ours]),
        "chenglan_rss_searches_mib": stats([o["mem_searches"]["rss"] / 2**20 for o in ours]),
        "chromium_rss_start_mib": stats([t["mem_start"]["rss"] / 2**20 for t in theirs]),
        "chenglan_pss_start_mib": stats([o["mem_start"]["pss"] / 2**20 for o in ours]),
        "chenglan_pss_searches_mib": stats([o["mem_searches"]["pss"] / 2**20 for o in ours]),
        "chromium_pss_start_mib": stats([t["mem_start"]["pss"] / 2**20 for t in theirs]),
    }
    events = {}
    if args.events_json:
        with open(args.events_json) as f:
            events = json.load(f)
    if args.json:
        with open(args.json, "w") as f:
            json.dump({"browser": figures, "events": events}, f, indent=1)
    print_table(figures, events, args.runs)
    return 0


def print_table(f, events, runs):
    rows = []

    def row(name, s, unit, target="", met=None, fmt="{:.1f}"):
        cells = [fmt.format(s["median"]), fmt.format(s["min"]), fmt.format(s["max"])]
        rows.append((name, *(c + unit for c in cells), target, "" if met is None else ("yes" if met else "NO")))

    row("澄览: start -> window mapped", f["chenglan_mapped_ms"], " ms", "<= 300 ms",
        f["chenglan_mapped_ms"]["median"] <= 300, "{:.0f}")
    row("澄览: start -> start page request", f["chenglan_request_ms"], " ms", fmt="{:.0f}")
    row("Chromium: start -> window mapped", f["chromium_mapped_ms"], " ms", fmt="{:.0f}")
    row("Chromium: start -> start page request", f["chromium_request_ms"], " ms", fmt="{:.0f}")
    row("ratio 澄览/Chromium: window mapped", f["ratio_mapped"], "", fmt="{:.2f}")
    row("ratio 澄览/Chromium: start page request", f["ratio_request"], "", "<= 1.0",
        f["ratio_request"]["median"] <= 1.0, "{:.2f}")
    if events:
        row("keystroke via widgets (10,000)", events["keystroke_widgets"]["us_per_event"], " us", fmt="{:.2f}")
        row("keystroke, handler alone (10,000)", events["keystroke_handler"]["us_per_event"], " us", "< 5 us",
            events["keystroke_handler"]["us_per_event"]["median"] < 5, "{:.2f}")
        row("button press via widgets (1,000)", events["click_widgets"]["us_per_event"], " us", fmt="{:.2f}")
        row("button press, handler alone (1,000)", events["click_handler"]["us_per_event"], " us", fmt="{:.2f}")
        # One page per 1,000 events is the resolution of resident memory: below it is noise.
        for key, name in (("keystroke_widgets", "keystrokes via widgets"), ("keystroke_handler", "keystroke handler"),
                          ("click_widgets", "button presses via widgets"), ("click_handler", "button handler")):
            growth = events[key]["rss_growth_bytes_per_1000"]
            row(f"RSS growth per 1,000 {name}", {k: growth[k] / 1024 for k in ("median", "min", "max")}, " KiB",
                "<= 4 KiB (1 page)", growth["median"] <= 4096, "{:+.1f}")
    row("keystroke -> request (20 chars, --delay 0)", f["keystroke_to_request_ms"], " ms", fmt="{:.1f}")
    row("keystroke -> request (1 key after idle)", f["single_key_to_request_ms"], " ms", fmt="{:.1f}")
    chromium = f["chromium_rss_start_mib"]["median"]
    row("澄览 tree RSS after start page", f["chenglan_rss_start_mib"], " MiB", "<= Chromium's",
        f["chenglan_rss_start_mib"]["median"] <= chromium, "{:.0f}")
    row(f"澄览 tree RSS after {SEARCHES} searches", f["chenglan_rss_searches_mib"], " MiB", "<= Chromium's",
        f["chenglan_rss_searches_mib"]["median"] <= chromium, "{:.0f}")
    row("Chromium tree RSS after start page", f["chromium_rss_start_mib"], " MiB", fmt="{:.0f}")
    row("澄览 tree PSS after start page", f["chenglan_pss_start_mib"], " MiB", fmt="{:.0f}")
    row(f"澄览 tree PSS after {SEARCHES} searches", f["chenglan_pss_searches_mib"], " MiB", fmt="{:.0f}")
    row("Chromium tree PSS after start page", f["chromium_pss_start_mib"], " MiB", fmt="{:.0f}")

    def width(text):  # CJK characters take two columns
        return sum(2 if ord(c) > 0x2e80 else 1 for c in text)

    header = ("figure", "median", "min", "max", "target", "met?")
    widths = [max(width(r[i]) for r in rows + [header]) for i in range(6)]
    line = lambda r: "  ".join(c + " " * (w - width(c)) if i == 0 else c.rjust(w) if i < 4 else c.ljust(w)
                               for i, (c, w) in enumerate(zip(r, widths))).rstrip()
    print()
    print(f"Medians of {runs} runs each (澄览 and Chromium interleaved, one warm-up run of each not counted)")
    print(line(header))
    print("  ".join("-" * w for w in widths))
    for r in rows:
        print(line(r))
    print("Start: just before the launcher spawns the process. Window mapped: the X server's MapNotify, heard by an "
          "xcb client listening on the root window (microsecond clock). Request: stamped by the local server on arrival.")
    print("Via widgets: QTest key/mouse events, then the event loop turned once (repaints included); handler alone: the "
          "program's handler called directly. RSS growth: /proc/self/statm, 5 batches after a warm-up.")
    print("Tree memory: every process of the program's session (web engine helpers included), from /proc/*/smaps_rollup.")
    print("Chromium asks for https://v.baidu.com first (a refused CONNECT), then falls back to http; "
          f"its first request for the host comes at {f['chromium_first_host_ms']['median']:.0f} ms (median).")


if __name__ == "__main__":
    sys.exit(main())
