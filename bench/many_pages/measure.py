#!/usr/bin/env python3
"""Many pages at once: Larkspan started on one page, on ten pages as ten windows, and on ten
pages as ten tabs of one window ("Open new windows in tabs"). Run through run.sh.

For each start it measures:

  loaded  time from just before the process is spawned until every page's load event fired
          (each page sends a beacon to the server from its "load" handler);
  PSS     the summed proportional set size of the whole process tree 3 s after that;
  procs   the processes the tree held then.

The pages are the start-up benchmark's page, each under an address of its own so that no
cache serves one page to another.
"""

import argparse
import ctypes
import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "startup"))
import measure as startup  # noqa: E402  (the page server and the process-tree sampling)

SETTLE_S = 3.0


def tree_memory():
    """(PSS in kB, process count) of every process below this script."""
    tree = startup.descendants(os.getpid())
    return sum(startup.memory_kb(pid)[1] for pid in tree), len(tree)


def one_start(args, server, urls, in_tabs, work, label):
    run_dir = tempfile.mkdtemp(prefix=label + "-", dir=work)
    env = dict(os.environ)
    for var, sub in (("XDG_CONFIG_HOME", "config"), ("XDG_DATA_HOME", "data"),
                     ("XDG_CACHE_HOME", "cache")):
        env[var] = os.path.join(run_dir, sub)
        os.makedirs(env[var], mode=0o700, exist_ok=True)
    seeds = ["Homepage=" + urls[0], "CheckUpdatesAtStart=0",
             "NewWindowsInTabs=" + ("1" if in_tabs else "0")]
    subprocess.run([args.seed] + seeds, env=env, check=True, stdout=subprocess.DEVNULL)
    log = open(os.path.join(run_dir, "output.log"), "wb")
    t0 = time.monotonic()
    proc = subprocess.Popen([args.larkspan] + urls, env=env, stdin=subprocess.DEVNULL,
                            stdout=log, stderr=subprocess.STDOUT, start_new_session=True)
    loaded = None
    deadline = t0 + args.timeout
    while time.monotonic() < deadline and proc.poll() is None:
        beacons = [t for (t, m, path) in server.between(t0, time.monotonic() + 1)
                   if path.startswith("/loaded")]
        if len(beacons) >= len(urls):
            loaded = max(beacons) - t0
            break
        time.sleep(0.02)
    pss = procs = None
    if loaded is not None:
        time.sleep(SETTLE_S)
        pss, procs = tree_memory()
    try:
        os.killpg(proc.pid, signal.SIGTERM)
    except ProcessLookupError:
        pass
    try:
        proc.wait(5)
    except subprocess.TimeoutExpired:
        os.killpg(proc.pid, signal.SIGKILL)
        proc.wait()
    startup.reap_and_kill_leftovers(2)
    log.close()
    return loaded, pss, procs


def main():
    ap = argparse.ArgumentParser(description=__doc__,
                                 formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--larkspan", required=True)
    ap.add_argument("--seed", required=True)
    ap.add_argument("--page", required=True)
    ap.add_argument("--pages", type=int, default=10)
    ap.add_argument("--rounds", type=int, default=3)
    ap.add_argument("--timeout", type=float, default=60.0)
    args = ap.parse_args()
    try:
        ctypes.CDLL(None).prctl(36, 1, 0, 0, 0)  # child subreaper: keep helpers in the tree
    except (OSError, AttributeError):
        pass
    work = tempfile.mkdtemp(prefix="larkspan-many-pages-")
    site = os.path.join(work, "site")
    shutil.copytree(args.page, site)
    server = startup.PageServer(site)
    urls = [server.url("/index.html?page=%d" % i) for i in range(1, args.pages + 1)]
    starts = [("one page", urls[:1], False), ("%d windows" % args.pages, urls, False),
              ("%d tabs" % args.pages, urls, True)]
    results = {label: [] for (label, _, _) in starts}
    for _ in range(args.rounds):
        for label, pages, in_tabs in starts:
            results[label].append(one_start(args, server, pages, in_tabs, work, label.split()[1]))
    print("%-12s %10s %10s %8s %14s" % ("start", "loaded ms", "PSS MiB", "procs", "MiB/page more"))
    one = None
    for label, pages, _ in starts:
        good = [r for r in results[label] if r[0] is not None]
        if not good:
            print("%-12s failed in every round" % label)
            continue
        loaded = statistics.median(r[0] for r in good) * 1000
        pss = statistics.median(r[1] for r in good) / 1024
        procs = statistics.median(r[2] for r in good)
        if one is None:
            one = pss
            extra = "-"
        else:
            extra = "%.1f" % ((pss - one) / (len(pages) - 1))
        print("%-12s %10.0f %10.1f %8.0f %14s  (%d of %d rounds)"
              % (label, loaded, pss, procs, extra, len(good), args.rounds))
    server.close()
    shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
