#!/usr/bin/env python3
"""Runs a command with its output discarded and prints "wall cpu rss_kb":
wall and CPU (user + sys) in seconds with microsecond resolution, and the
peak resident set in kB. /usr/bin/time rounds times to 10 ms, too coarse for
a command of a few milliseconds, so times come from wait4 here; the peak RSS
still comes from /usr/bin/time, since a child spawned from this interpreter
would count the interpreter's own pages until its exec. With -n N the
command runs N times in a row and the medians of wall and CPU and the
largest RSS are printed. With --no-rss the command runs directly, without
/usr/bin/time's fork and exec in its times, and the RSS printed is 0."""
import os
import statistics
import sys
import tempfile
import time


def run_once(argv, with_rss):
    with open(os.devnull, "wb") as null, tempfile.NamedTemporaryFile("r") as rss:
        command = (["/usr/bin/time", "-f", "%M", "-o", rss.name] if with_rss else []) + argv
        start = time.perf_counter()
        pid = os.posix_spawnp(command[0], command, os.environ,
                              file_actions=[(os.POSIX_SPAWN_DUP2, null.fileno(), 1)])
        _, status, usage = os.wait4(pid, 0)
        wall = time.perf_counter() - start
        if os.waitstatus_to_exitcode(status) != 0:
            sys.exit(f"timed_run: {argv[0]} failed")
        peak = int(rss.read().split()[-1]) if with_rss else 0
    return wall, usage.ru_utime + usage.ru_stime, peak


def main():
    args = sys.argv[1:]
    repeat = 1
    with_rss = True
    while args and args[0] in ("-n", "--no-rss"):
        if args[0] == "--no-rss":
            with_rss = False
            args = args[1:]
        elif len(args) > 1:
            repeat = int(args[1])
            args = args[2:]
        else:
            break
    if not args:
        sys.exit("usage: timed_run.py [-n N] [--no-rss] COMMAND [ARG...]")
    runs = [run_once(args, with_rss) for _ in range(repeat)]
    print(f"{statistics.median(r[0] for r in runs):.6f} "
          f"{statistics.median(r[1] for r in runs):.6f} {max(r[2] for r in runs)}")


if __name__ == "__main__":
    main()
