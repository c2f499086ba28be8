#!/usr/bin/env python3
"""Start-up time and memory of Larkspan against a bare web view. Run through run.sh.

Each round starts both programs (order alternating between rounds) on the same page, served
from 127.0.0.1 by a small HTTP server inside this script, and measures for each start:

  load   time from just before the process is spawned until the page's load event fired
         (the page sends a beacon to the server from its "load" handler);
  exit   time until the process ended; both programs quit right after their first
         completed load, so this is "start to first completed load" as the program sees
         it, plus its own quitting;
  req    time until the server saw the request for the page (start-up before the network);
  PSS    peak of the summed proportional set size of the whole process tree;
  RSS    peak of the summed resident set size of the whole process tree (counts shared
         pages once per process, so it overstates the real footprint);
  procs  the most processes the tree held at once.

Memory is sampled every --interval milliseconds from /proc/<pid>/smaps_rollup of every
descendant of this script (this script is made a child subreaper, so a helper that
double-forks stays in the tree). Peaks shorter than the interval can be missed.
"""

import argparse
import ctypes
import http.server
import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import threading
import time

PR_SET_CHILD_SUBREAPER = 36


# ----------------------------------------------------------------------------- page server

class PageServer:
    """Serves a folder on 127.0.0.1 and notes the arrival time of every request."""

    def __init__(self, folder):
        self.events = []  # (monotonic time, method, path)
        self.lock = threading.Lock()
        owner = self

        class Handler(http.server.SimpleHTTPRequestHandler):
            def __init__(self, *args, **kwargs):
                super().__init__(*args, directory=folder, **kwargs)

            def note(self):
                with owner.lock:
                    owner.events.append((time.monotonic(), self.command, self.path))

            def do_GET(self):
                self.note()
                if self.path.startswith("/loaded"):
                    self.send_response(204)
                    self.end_headers()
                    return
                super().do_GET()

            def do_POST(self):
                self.note()
                length = int(self.headers.get("Content-Length") or 0)
                if length > 0:
                    self.rfile.read(min(length, 65536))
                self.send_response(204)
                self.end_headers()

            def end_headers(self):
                self.send_header("Cache-Control", "no-store")
                super().end_headers()

            def log_message(self, *args):
                pass

        self.httpd = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
        self.port = self.httpd.server_address[1]
        self.thread = threading.Thread(target=self.httpd.serve_forever, daemon=True)
        self.thread.start()

    def url(self, path="/index.html"):
        return "http://127.0.0.1:%d%s" % (self.port, path)

    def between(self, start, end):
        with self.lock:
            return [e for e in self.events if start <= e[0] <= end]

    def close(self):
        self.httpd.shutdown()
        self.httpd.server_close()


# ----------------------------------------------------------------------- process tree

def children_of(pid):
    """Child process ids of every thread of `pid` (needs /proc/<pid>/task/*/children)."""
    kids = []
    try:
        tasks = os.listdir("/proc/%d/task" % pid)
    except OSError:
        return kids
    for tid in tasks:
        try:
            with open("/proc/%d/task/%s/children" % (pid, tid)) as f:
                kids.extend(int(k) for k in f.read().split())
        except (OSError, ValueError):
            pass
    return kids


def parent_map():
    """ppid of every process, from /proc/*/stat (the fallback when .../children is absent)."""
    parents = {}
    for name in os.listdir("/proc"):
        if not name.isdigit():
            continue
        try:
            with open("/proc/%s/stat" % name) as f:
                stat = f.read()
            # the command name may hold spaces and parentheses: split after the last ")"
            fields = stat[stat.rindex(")") + 2:].split()
            parents[int(name)] = int(fields[1])
        except (OSError, ValueError, IndexError):
            pass
    return parents


HAVE_CHILDREN_FILE = os.path.exists("/proc/self/task/%d/children" % os.getpid())


def descendants(root):
    """Every process below `root`, root excluded."""
    found = []
    if HAVE_CHILDREN_FILE:
        todo = children_of(root)
        while todo:
            pid = todo.pop()
            if pid in found:
                continue
            found.append(pid)
            todo.extend(children_of(pid))
        return found
    parents = parent_map()
    below = {root}
    grew = True
    while grew:
        grew = False
        for pid, ppid in parents.items():
            if ppid in below and pid not in below:
                below.add(pid)
                grew = True
    below.discard(root)
    return sorted(below)


def memory_kb(pid):
    """(rss, pss) of one process in kB; (0, 0) once it has gone."""
    rss = pss = 0
    try:
        with open("/proc/%d/smaps_rollup" % pid) as f:
            for line in f:
                if line.startswith("Rss:"):
                    rss = int(line.split()[1])
                elif line.startswith("Pss:"):
                    pss = int(line.split()[1])
        return rss, pss
    except OSError:
        pass
    try:  # kernels without smaps_rollup: RSS only, PSS taken as RSS
        with open("/proc/%d/status" % pid) as f:
            for line in f:
                if line.startswith("VmRSS:"):
                    rss = int(line.split()[1])
        return rss, rss
    except OSError:
        return 0, 0


def command_name(pid):
    try:
        with open("/proc/%d/comm" % pid) as f:
            return f.read().strip()
    except OSError:
        return "?"


def reap(pids):
    """Collects the exit status of those of `pids` that are this script's ended children."""
    for pid in pids:
        try:
            os.waitpid(pid, os.WNOHANG)
        except ChildProcessError:
            pass  # not (or no longer) our child: its own parent collects it


def reap_and_kill_leftovers(grace):
    """Waits up to `grace` seconds for leftover descendants to go, then kills them and
    returns how many had to be killed.

    A process only counts as gone once it has been collected: a zombie leader whose other
    threads are still running cannot be collected yet and is still there."""
    deadline = time.monotonic() + grace
    while True:
        reap(descendants(os.getpid()))
        left = descendants(os.getpid())
        if not left:
            return 0
        if time.monotonic() >= deadline:
            killed = len(left)
            for pid in left:
                try:
                    os.kill(pid, signal.SIGKILL)
                except ProcessLookupError:
                    pass
            kill_deadline = time.monotonic() + 2
            while left and time.monotonic() < kill_deadline:
                time.sleep(0.02)
                reap(left)
                left = descendants(os.getpid())
            return killed
        time.sleep(0.02)


# --------------------------------------------------------------------------- one start

def history_lines(count):
    """A typed-address history of `count` lines as the program writes it (CR LF ends): all
    different addresses, of the shapes people type, spread over a few thousand sites."""
    schemes = ("http://", "https://", "https://www.", "")
    words = ("news", "mail", "shop", "docs", "wiki", "blog", "maps", "video", "forum", "search")
    out = []
    state = 12345
    for i in range(count):
        picks = []
        for _ in range(4):
            state = (state * 1664525 + 1013904223) & 0xFFFFFFFF
            picks.append(state >> 8)
        out.append("%s%s%d.example.com/%s/page%d\r\n"
                   % (schemes[picks[0] % 4], words[picks[1] % 10], picks[2] % 3000,
                      words[picks[3] % 10], i))
    return "".join(out).encode()


class RunResult:
    def __init__(self):
        self.ok = False
        self.timed_out = False
        self.error = ""
        self.exit_s = None
        self.load_s = None
        self.request_s = None
        self.peak_rss_kb = 0
        self.peak_pss_kb = 0
        self.peak_page_pss_kb = 0  # the page processes' together
        self.max_procs = 0
        self.leftovers = 0  # helpers still running 5 s after the program quit
        self.seen = {}  # pid -> command name of every process the tree held


def tail(path, lines=12):
    try:
        with open(path, errors="replace") as f:
            return "".join(f.readlines()[-lines:])
    except OSError:
        return ""


def run_once(cmd, env, server, timeout, interval, log_path):
    """Starts `cmd`, samples its tree until it exits, and reads the server's notes."""
    result = RunResult()
    with open(log_path, "wb") as log:
        done = threading.Event()
        ended = {}

        t0 = time.monotonic()
        try:
            proc = subprocess.Popen(cmd, env=env, stdin=subprocess.DEVNULL, stdout=log,
                                    stderr=subprocess.STDOUT, start_new_session=True)
        except OSError as e:
            result.error = "cannot start %s: %s" % (cmd[0], e)
            return result

        def waiter():
            ended["rc"] = proc.wait()
            ended["t"] = time.monotonic()
            done.set()

        threading.Thread(target=waiter, daemon=True).start()

        root = os.getpid()
        deadline = t0 + timeout
        while not done.wait(interval):
            tree = descendants(root)
            rss = pss = page_pss = 0
            for pid in tree:
                if pid not in result.seen:
                    result.seen[pid] = command_name(pid)
                r, p = memory_kb(pid)
                rss += r
                pss += p
                if result.seen[pid].startswith("WebKitWebProces"):
                    page_pss += p
            result.peak_rss_kb = max(result.peak_rss_kb, rss)
            result.peak_pss_kb = max(result.peak_pss_kb, pss)
            result.peak_page_pss_kb = max(result.peak_page_pss_kb, page_pss)
            result.max_procs = max(result.max_procs, len(tree))
            if time.monotonic() > deadline:
                break

        if not done.is_set():
            try:
                os.killpg(proc.pid, signal.SIGTERM)
            except ProcessLookupError:
                pass
            if not done.wait(3):
                try:
                    os.killpg(proc.pid, signal.SIGKILL)
                except ProcessLookupError:
                    pass
                done.wait(3)
            reap_and_kill_leftovers(2)
            result.timed_out = True
            result.error = "no completed load within %g s (killed)" % timeout
            return result

        result.exit_s = ended["t"] - t0
        result.leftovers = reap_and_kill_leftovers(5)

    events = server.between(t0, ended["t"] + 0.5)
    requests = [t for (t, m, path) in events if m == "GET" and path.split("?")[0] in ("/", "/index.html")]
    beacons = [t for (t, m, path) in events if path.startswith("/loaded")]
    if requests:
        result.request_s = requests[0] - t0
    if beacons:
        result.load_s = beacons[0] - t0

    rc = ended["rc"]
    if rc < 0:
        try:
            name = signal.Signals(-rc).name
        except ValueError:
            name = "signal %d" % -rc
        result.error = "killed by %s" % name
    elif rc != 0:
        result.error = "exit status %d" % rc
    elif not requests:
        result.error = "quit without requesting the page"
    elif not beacons:
        result.error = "quit without the page's load event"
    else:
        result.ok = True
    return result


# ------------------------------------------------------------------------------ report

def fmt_ms(s):
    return "%7.0f" % (s * 1000) if s is not None else "      -"


def fmt_mb(kb):
    return "%7.1f" % (kb / 1024.0) if kb else "      -"


def median(values):
    values = [v for v in values if v is not None]
    return statistics.median(values) if values else None


BARE = ("bare", "sandboxed")


def compare(med, larkspan, yardstick, label):
    if yardstick not in med or larkspan not in med:
        return
    b, lk = med[yardstick], med[larkspan]
    print("Larkspan / %-20s load x%.2f   exit x%.2f   PSS x%.2f   RSS x%.2f"
          % (label + ":", lk["load"] / b["load"], lk["exit"] / b["exit"], lk["pss"] / b["pss"],
             lk["rss"] / b["rss"]))
    print("Larkspan - %-20s load %+.0f ms   exit %+.0f ms   PSS %+.1f MB"
          % (label + ":", (lk["load"] - b["load"]) * 1000, (lk["exit"] - b["exit"]) * 1000,
             (lk["pss"] - b["pss"]) / 1024.0))


def summarize(programs, results, history_lines):
    """Prints the medians of one series of rounds and the comparisons; returns the medians."""
    print()
    print("medians over the successful rounds:")
    print("%-9s %8s %8s %8s %9s %9s %6s" % ("", "load ms", "exit ms", "req ms", "PSS MB",
                                              "RSS MB", "procs"))
    med = {}
    for program in programs:
        ok = [r for r in results[program] if r.ok]
        if not ok:
            continue
        med[program] = {
            "load": median([r.load_s for r in ok]),
            "exit": median([r.exit_s for r in ok]),
            "req": median([r.request_s for r in ok]),
            "pss": median([r.peak_pss_kb for r in ok]),
            "rss": median([r.peak_rss_kb for r in ok]),
            "procs": median([r.max_procs for r in ok]),
        }
        m = med[program]
        print("%-9s %8.0f %8.0f %8.0f %9.1f %9.1f %6.0f   (%d of %d rounds)"
              % (program, m["load"] * 1000, m["exit"] * 1000, m["req"] * 1000,
                 m["pss"] / 1024.0, m["rss"] / 1024.0, m["procs"], len(ok),
                 len(results[program])))

    print()
    compare(med, "larkspan", "bare", "bare view")
    compare(med, "larkspan", "sandboxed", "sandboxed bare view")
    if "larkspan" in med and "session" in med:
        lk, se = med["larkspan"], med["session"]
        print("restoring a session - without:  load %+.0f ms   exit %+.0f ms   PSS %+.1f MB"
              % ((se["load"] - lk["load"]) * 1000, (se["exit"] - lk["exit"]) * 1000,
                 (se["pss"] - lk["pss"]) / 1024.0))
    if "larkspan" in med and "history" in med:
        lk, h = med["larkspan"], med["history"]
        print("with a %d-line history - without:  load %+.0f ms   exit %+.0f ms   PSS %+.1f MB"
              % (history_lines, (h["load"] - lk["load"]) * 1000,
                 (h["exit"] - lk["exit"]) * 1000, (h["pss"] - lk["pss"]) / 1024.0))

    return med


def main():
    ap = argparse.ArgumentParser(description=__doc__,
                                 formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--bare", required=True, help="the bare web-view program")
    ap.add_argument("--larkspan", required=True, help="the Larkspan program")
    ap.add_argument("--seed", required=True, help="the settings-store seeding tool")
    ap.add_argument("--page", required=True, help="folder of the page to load")
    ap.add_argument("--extra-file", action="append", default=[],
                    help="SRC=NAME: also serve file SRC as NAME")
    ap.add_argument("--setting", action="append", default=[], metavar="KEY=VALUE",
                    help="a further value of the settings store for every start of Larkspan")
    ap.add_argument("--rounds", type=int, default=5)
    ap.add_argument("--runs", type=int, default=1,
                    help="repeat the whole series of rounds this many times")
    ap.add_argument("--timeout", type=float, default=30.0,
                    help="seconds a start may take before it counts as failed")
    ap.add_argument("--interval", type=float, default=20.0, help="sampling interval, ms")
    ap.add_argument("--no-warmup", action="store_true")
    ap.add_argument("--bare-only", action="store_true")
    ap.add_argument("--keep", action="store_true", help="keep the work folder")
    ap.add_argument("--history-lines", type=int, default=0,
                    help="also start Larkspan with a typed-address history of this many lines")
    ap.add_argument("--session", default="",
                    help="WINDOWS,TABS: also start Larkspan restoring a saved session of TABS "
                         "tabs in WINDOWS windows")
    ap.add_argument("--seed-session", default="", help="the session seeding tool")
    ap.add_argument("--verbose", action="store_true",
                    help="list the processes each start ran")
    args = ap.parse_args()
    if args.rounds < 1 or args.runs < 1 or args.timeout <= 0 or args.interval <= 0:
        ap.error("rounds, timeout and interval must be positive")
    if args.history_lines < 0:
        ap.error("--history-lines must not be negative")
    session_shape = None
    if args.session:
        try:
            session_shape = [int(n) for n in args.session.split(",")]
        except ValueError:
            session_shape = []
        if len(session_shape) != 2 or session_shape[0] < 1 or session_shape[1] < session_shape[0]:
            ap.error("--session takes WINDOWS,TABS with at least one tab for each window")
        if not args.seed_session:
            ap.error("--session needs --seed-session")

    try:
        libc = ctypes.CDLL(None, use_errno=True)
        subreaper = libc.prctl(PR_SET_CHILD_SUBREAPER, 1, 0, 0, 0) == 0
    except (OSError, AttributeError):
        subreaper = False

    work = tempfile.mkdtemp(prefix="larkspan-startup-")
    site = os.path.join(work, "site")
    shutil.copytree(args.page, site)
    for item in args.extra_file:
        src, _, name = item.partition("=")
        shutil.copyfile(src, os.path.join(site, name or os.path.basename(src)))
    server = PageServer(site)
    url = server.url()
    interval = args.interval / 1000.0

    print("page:     %s" % url)
    print("rounds:   %d (+%s warm-up), time-out %g s, memory sampled every %g ms%s"
          % (args.rounds, "no" if args.no_warmup else "1", args.timeout, args.interval,
             "" if subreaper else " (no subreaper: double-forked helpers are missed)"))
    env_names = sorted(k for k in os.environ
                       if k.startswith(("WEBKIT_", "LIBGL_", "GDK_", "GSK_", "GTK_", "NO_AT_"))
                       or k in ("DISPLAY", "WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS"))
    print("env:      %s" % (" ".join("%s=%s" % (k, os.environ[k]) for k in env_names) or "-"))
    sys.stdout.flush()

    # The bare view twice: as the least a program needs, and with its page process in the
    # engine's sandbox as Larkspan's run, which is the fair yardstick.
    programs = ["bare", "sandboxed"] if args.bare_only else ["bare", "sandboxed", "larkspan"]
    if args.history_lines and not args.bare_only:
        programs.append("history")
    if session_shape and not args.bare_only:
        programs.append("session")
    history_text = history_lines(args.history_lines)
    results = {p: [] for p in programs}
    larkspan_broken = ""
    if not args.bare_only and not os.access(args.larkspan, os.X_OK):
        larkspan_broken = "%s does not exist or is not executable (build the target 'larkspan')" % args.larkspan
    run_no = [0]
    larkspan_failures = [0]

    def start(program):
        run_no[0] += 1
        run_dir = os.path.join(work, "run%02d-%s" % (run_no[0], program))
        env = dict(os.environ)
        # Settings and data start empty every time; the cache folder is one per program,
        # kept from its warm-up on, as it is for an everyday start.
        env["XDG_CONFIG_HOME"] = os.path.join(run_dir, "config")
        env["XDG_DATA_HOME"] = os.path.join(run_dir, "data")
        env["XDG_CACHE_HOME"] = os.path.join(work, "cache-" + program)
        for var in ("XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"):
            os.makedirs(env[var], mode=0o700, exist_ok=True)
        log = os.path.join(run_dir, "output.log")
        if program == "bare":
            return run_once([args.bare, url], env, server, args.timeout, interval, log)
        if program == "sandboxed":
            return run_once([args.bare, "--sandbox", url], env, server, args.timeout, interval,
                            log)
        if program == "history":
            folder = os.path.join(env["XDG_DATA_HOME"], "larkspan")
            os.makedirs(folder, mode=0o700, exist_ok=True)
            with open(os.path.join(folder, "history.txt"), "wb") as f:
                f.write(history_text)
        env["LARKSPAN_BENCH_EXIT_AFTER_LOAD"] = "1"
        seeding = [[args.seed, "Homepage=" + url, "CheckUpdatesAtStart=0"] + args.setting]
        if program == "session":
            # The session's first window shows the same page; the other tabs wait unloaded.
            seeding[0].append("RestoreSession=1")
            seeding.append([args.seed_session, str(session_shape[0]), str(session_shape[1]),
                            url])
        try:
            seed = None
            for command in seeding:
                seed = subprocess.run(command, env=env, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                                      stderr=subprocess.STDOUT, timeout=60)
                if seed.returncode != 0:
                    break
            seed_error = "" if seed.returncode == 0 else (
                "status %d: %s" % (seed.returncode, seed.stdout.decode(errors="replace").strip()))
        except (OSError, subprocess.TimeoutExpired) as e:
            seed_error = str(e)
        if seed_error:
            r = RunResult()
            r.error = "seeding failed: " + seed_error
            return r
        r = run_once([args.larkspan], env, server, args.timeout, interval, log)
        if not r.ok and tail(log):
            r.error += "; its output ended with:\n" + tail(log)
        return r

    def one_round(label, order, count):
        nonlocal larkspan_broken
        for program in order:
            if program not in BARE and larkspan_broken:
                continue
            r = start(program)
            status = "ok" if r.ok else "FAILED: " + r.error
            if r.leftovers:
                status += " (%d helper processes outlived it by 5 s and were killed)" % r.leftovers
            print("%-8s %-9s load %s ms  exit %s ms  req %s ms  PSS %s MB  RSS %s MB  procs %d  %s"
                  % (label, program, fmt_ms(r.load_s), fmt_ms(r.exit_s), fmt_ms(r.request_s),
                     fmt_mb(r.peak_pss_kb), fmt_mb(r.peak_rss_kb), r.max_procs, status))
            if args.verbose:
                print("%-18s processes: %s" % ("", ", ".join(
                    "%s(%d)" % (name, pid) for pid, name in sorted(r.seen.items())) or "-"))
                print("%-18s page process PSS %s MB" % ("", fmt_mb(r.peak_page_pss_kb)))
            sys.stdout.flush()
            # A start that hangs, or a warm-up that fails, is not tried again: the rest of
            # the rounds would only wait out the same time-out.
            if program not in BARE and not r.ok and (r.timed_out or not count):
                larkspan_broken = r.error
            if count:
                results[program].append(r)
                if program not in BARE and not r.ok:
                    larkspan_failures[0] += 1

    comparisons = []
    try:
        if not args.no_warmup:
            one_round("warm-up", programs, False)
        for run in range(args.runs):
            for p in programs:
                results[p] = []
            for i in range(args.rounds):
                order = programs if i % 2 == 0 else list(reversed(programs))
                label = "round %d" % (i + 1) if args.runs == 1 else "run %d.%d" % (run + 1, i + 1)
                one_round(label, order, True)
            med = summarize(programs, results, args.history_lines)
            comparisons.append(med)
    finally:
        server.close()
        reap_and_kill_leftovers(2)
        if args.keep:
            print("work folder kept: %s" % work)
        else:
            shutil.rmtree(work, ignore_errors=True)

    if args.runs > 1:
        print()
        print("Larkspan against the sandboxed bare view, run by run:")
        for n, med in enumerate(comparisons, 1):
            if "sandboxed" in med and "larkspan" in med:
                b, lk = med["sandboxed"], med["larkspan"]
                print("  run %d:  load x%.2f   exit x%.2f   PSS %+.1f MB"
                      % (n, lk["load"] / b["load"], lk["exit"] / b["exit"],
                         (lk["pss"] - b["pss"]) / 1024.0))
    med = comparisons[-1] if comparisons else {}
    status = 0
    if "bare" not in med:
        print("\nthe bare view never completed a load; see the errors above")
        status = 2
    if not args.bare_only and "larkspan" not in med:
        print("\nLarkspan half failed: %s" % (larkspan_broken or "no successful round"))
        print("The program is started with LARKSPAN_BENCH_EXIT_AFTER_LOAD=1 and a settings store"
              " whose \"Homepage\" is the page above; it must quit, printing nothing, once the"
              " first load of that page has completed.")
        status = status or 1
    elif not args.bare_only and larkspan_failures[0]:
        status = status or 1
    return status


if __name__ == "__main__":
    sys.exit(main())
