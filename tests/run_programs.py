#!/usr/bin/env python3
"""Runs every NAME.bas of a folder with the real executable and compares stdout.

    run_programs.py ATBASIC FOLDER

NAME.in, where present, is what is typed (stdin; /dev/null otherwise).
NAME.args, where present, holds the command-line arguments instead of NAME.bas
(one per line; an empty file means none).
NAME.out is the exact expected stdout; the figure in 'Time: N ms ' is masked
on both sides. NAME.err, where present, is the exact expected stderr; without
it stderr must be empty, so any sanitizer report fails the case. The exit
status must be 0. Each case runs in a fresh directory holding a copy of the
program, with a 20 s timeout. Prints 'N passed, M failed'.
"""
import concurrent.futures
import os
import re
import shutil
import subprocess
import sys
import tempfile

TIME = re.compile(rb"Time: -?\d+ ms ")


def mask(data):
    return TIME.sub(b"Time: N ms ", data)


def run_case(exe, folder, name):
    base = os.path.join(folder, name)
    with open(base + ".out", "rb") as f:
        expected = f.read()
    expected_err = None
    if os.path.exists(base + ".err"):
        with open(base + ".err", "rb") as f:
            expected_err = f.read()
    tmp = tempfile.mkdtemp(prefix="atbasic_golden_")
    try:
        shutil.copyfile(base + ".bas", os.path.join(tmp, name + ".bas"))
        stdin = open(base + ".in", "rb") if os.path.exists(base + ".in") else subprocess.DEVNULL
        args = [name + ".bas"]
        if os.path.exists(base + ".args"):
            with open(base + ".args") as f:
                args = [line.rstrip("\n") for line in f if line.strip()]
        try:
            proc = subprocess.run([exe] + args, cwd=tmp, stdin=stdin,
                                  stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=20)
        except subprocess.TimeoutExpired:
            return "timed out"
        finally:
            if stdin is not subprocess.DEVNULL:
                stdin.close()
    finally:
        shutil.rmtree(tmp, ignore_errors=True)
    problems = []
    if proc.returncode != 0:
        problems.append("exit status %d" % proc.returncode)
    if mask(proc.stdout) != mask(expected):
        a, b = mask(expected), mask(proc.stdout)
        k = next((i for i in range(min(len(a), len(b))) if a[i] != b[i]), min(len(a), len(b)))
        problems.append("stdout differs at byte %d: expected %r, got %r"
                        % (k, a[max(0, k - 10):k + 20], b[max(0, k - 10):k + 20]))
    if expected_err is None and proc.stderr:
        problems.append("unexpected stderr: %r" % proc.stderr[:300])
    if expected_err is not None and proc.stderr != expected_err:
        problems.append("stderr %r, expected %r" % (proc.stderr[:300], expected_err))
    return "; ".join(problems) or None


def main():
    exe, folder = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    names = sorted(f[:-4] for f in os.listdir(folder) if f.endswith(".bas"))
    with concurrent.futures.ThreadPoolExecutor(max_workers=4) as pool:
        results = list(pool.map(lambda n: (n, run_case(exe, folder, n)), names))
    failed = [(n, p) for n, p in results if p]
    for n, p in failed:
        print("FAIL %s: %s" % (n, p))
    print("%d passed, %d failed" % (len(results) - len(failed), len(failed)))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
