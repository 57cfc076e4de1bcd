"""Shared by the reliability tests: running atbasic on a program in a fresh
directory and checking how a run ended."""
import os
import re
import shutil
import subprocess
import tempfile

TIME = re.compile(rb"Time: -?\d+ ms ")
TIME_END = re.compile(rb"\r\nPress Return To exit\.  Time: -?\d+ ms \Z")
ERROR_END = re.compile(rb"(WHAT\?|HOW\?|SORRY)\r\n-?\d+ [^\r\n]*\r\nPress return to exit\. \Z")
LIMIT = 60  # seconds; generous, only so that a hang fails instead of blocking


def mask(data):
    return TIME.sub(b"Time: N ms ", data)


def time_report():
    return b"\r\nPress Return To exit.  Time: N ms "


def error_report(kind, shown):
    return kind.encode() + b"\r\n" + shown + b"\r\nPress return to exit. "


def ends_in_report(out):
    return bool(TIME_END.search(out) or ERROR_END.search(out))


class Workdir:
    """A fresh directory holding prog.bas, removed afterwards."""

    def __init__(self, program):
        self.path = tempfile.mkdtemp(prefix="atbasic_rel_")
        self.prog = os.path.join(self.path, "prog.bas")
        with open(self.prog, "wb") as f:
            f.write(program)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        shutil.rmtree(self.path, ignore_errors=True)


def run(exe, program, stdin=b"", timeout=LIMIT):
    """Runs the program with the bytes as typed input; gives (status, stdout, stderr)."""
    with Workdir(program) as w:
        return run_args([exe, "prog.bas"], w.path, stdin, timeout)


def run_args(args, cwd=None, stdin=b"", timeout=LIMIT):
    """Like run, for any command line; a run that does not end in time gives
    the status "hung" instead of stopping the whole test."""
    try:
        p = subprocess.run(args, cwd=cwd, input=stdin, stdout=subprocess.PIPE,
                           stderr=subprocess.PIPE, timeout=timeout)
    except subprocess.TimeoutExpired:
        return "hung", b"", b""
    return p.returncode, p.stdout, p.stderr


class Results:
    """Collects failures so one test reports every broken case at once."""

    def __init__(self):
        self.failed = []
        self.count = 0

    def check(self, name, ok, detail=""):
        self.count += 1
        if not ok:
            self.failed.append(name)
            print("FAIL %s %s" % (name, detail))

    def expect_run(self, name, got, out=None, err=b"", report=False):
        status, stdout, stderr = got
        problems = []
        if status != 0:
            problems.append("status %s" % status)
        if stderr != err:
            problems.append("stderr %r" % stderr[:300])
        if out is not None and mask(stdout) != mask(out):
            a, b = mask(out), mask(stdout)
            k = next((i for i in range(min(len(a), len(b))) if a[i] != b[i]), min(len(a), len(b)))
            problems.append("stdout differs at %d: expected %r, got %r"
                            % (k, a[max(0, k - 20):k + 40], b[max(0, k - 20):k + 40]))
        if report and not ends_in_report(stdout):
            problems.append("no report at the end: %r" % stdout[-200:])
        self.check(name, not problems, "; ".join(problems))

    def finish(self):
        print("%d checks, %d failed" % (self.count, len(self.failed)))
        return 1 if self.failed else 0
