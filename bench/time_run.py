#!/usr/bin/env python3
"""Runs one program with piped answers and times it.

Prints the lines of the program's output that match PATTERN (a regular
expression), each with the seconds since the start, then the wall time,
the processor time and the peak memory of the run, and the bytes the
program handed to the system to write (wchar of /proc/<pid>/io, read when
it has ended; the programs it starts, wget, are not counted).

usage: time_run.py ANSWERS PATTERN PROGRAM [ARG ...]
"""
import os
import re
import resource
import subprocess
import sys
import time


def main():
    answers, pattern, command = sys.argv[1], re.compile(sys.argv[2]), sys.argv[3:]
    start = time.monotonic()
    proc = subprocess.Popen(command, stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    proc.stdin.write(answers.encode())
    proc.stdin.close()
    for raw in proc.stdout:
        line = raw.decode("utf-8", "replace").rstrip("\r\n")
        if pattern.search(line):
            print("%8.2f s  %s" % (time.monotonic() - start, line))
    # Wait without reaping, so that the ended process's counters can be read.
    os.waitid(os.P_PID, proc.pid, os.WEXITED | os.WNOWAIT)
    wall = time.monotonic() - start
    written = None
    try:
        with open("/proc/%d/io" % proc.pid) as io:
            for line in io:
                if line.startswith("wchar:"):
                    written = int(line.split()[1])
    except OSError:
        pass
    proc.wait()
    usage = resource.getrusage(resource.RUSAGE_CHILDREN)
    print("wall %.2f s, user %.2f s, system %.2f s, peak memory %.1f MB"
          % (wall, usage.ru_utime, usage.ru_stime, usage.ru_maxrss / 1024.0))
    if written is not None:
        print("written %.1f MB" % (written / 1e6))
    return proc.returncode


if __name__ == "__main__":
    sys.exit(main())
