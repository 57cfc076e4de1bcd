#!/usr/bin/env python3
"""Hostile environments: closed pipes, closed or exhausted input, an
unreadable working directory, no terminal, and signals at any moment.

    hostile_env.py ATBASIC"""
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time

from common import Results, Workdir, error_report, mask, time_report

EXE = None


def printed(*values):
    return b"".join(str(v).rjust(8).encode() for v in values) + b"\n"


def wrap(n):
    """n reduced to 32 bits and read as signed."""
    n %= 2**32
    return n - 2**32 if n >= 2**31 else n


def head_one(r):
    with Workdir(b"10 PRINT 1;GOTO 10\n") as w:
        p = subprocess.run(["bash", "-c", '"$0" prog.bas </dev/null | head -1; echo "${PIPESTATUS[0]}" >&2', EXE],
                           cwd=w.path, capture_output=True, timeout=60)
    r.check("atbasic | head -1", p.stdout == b"       1\n" and p.stderr == b"0\n",
            "stdout %r, stderr %r" % (p.stdout[:100], p.stderr[:300]))


def run_with(program, stdin=subprocess.DEVNULL, before=None, stdout=subprocess.PIPE, cwd=None, args=None,
             new_session=False):
    with Workdir(program) as w:
        try:
            p = subprocess.run([EXE] + (args or ["prog.bas"]), cwd=cwd or w.path, stdin=stdin, stdout=stdout,
                               stderr=subprocess.PIPE, preexec_fn=before, start_new_session=new_session,
                               timeout=60)
        except subprocess.TimeoutExpired:
            return "hung", b"", b""
        return p.returncode, p.stdout or b"", p.stderr


def input_ends(r):
    prog = b"10 INPUT A\n20 PRINT A\n"
    want = b"A " + printed(0) + time_report()
    r.expect_run("INPUT and the final wait at the end of input", run_with(prog), want)
    r.expect_run("INPUT and the final wait with stdin closed", run_with(prog, before=lambda: os.close(0)), want)
    folder = os.open("/", os.O_RDONLY | os.O_DIRECTORY)
    r.expect_run("INPUT and the final wait reading a folder", run_with(prog, stdin=folder), want)
    os.close(folder)
    rd, wr = os.pipe()
    os.write(wr, b"12")
    os.close(wr)
    r.expect_run("a last typed line without its Return", run_with(prog, stdin=rd), b"A " + printed(12) + time_report())
    os.close(rd)
    prog = b"10 INPUT A\n20 PRINT 1/A\n"
    r.expect_run("the error report's wait with stdin closed", run_with(prog, before=lambda: os.close(0)),
                 b"A " + error_report("HOW?", b"20 PRINT1/A"))
    # Input that never ends a line still gives lines (of 4096 bytes at most),
    # and a key snapshot takes what has arrived without draining it all.
    prog = b"10 PRINT VKEY(65)+WAIT(0)\n20 INPUT B\n30 PRINT B\n"
    with open("/dev/zero", "rb") as zero:
        r.expect_run("stdin from /dev/zero", run_with(prog, stdin=zero), printed(0) + b"B " + printed(0) + time_report())
    with Workdir(prog) as w:
        p = subprocess.run(["bash", "-c", 'yes | "$0" prog.bas', EXE], cwd=w.path, capture_output=True, timeout=60)
    r.expect_run("stdin from yes", (p.returncode, p.stdout, p.stderr), report=True)
    with Workdir(b"10 INPUT A,B\n20 PRINT A,B\n") as w:
        p = subprocess.run([EXE, "prog.bas"], cwd=w.path, input=b"1234" + b"5" * 100000 + b"\n7\n",
                           capture_output=True, timeout=60)
    # Split after 4096 bytes: A reads the first part, B the next 4096 fives.
    r.expect_run("a typed line of 100000 bytes", (p.returncode, p.stdout, p.stderr),
                 b"A B " + printed(wrap(int("1234" + "5" * 4092)), wrap(int("5" * 4096))) + time_report())
    r.expect_run("WAIT(0) at the end of input", run_with(b"10 A=WAIT(0)+WAIT(-2147483648)\n20 PRINT 5\n"),
                 printed(5) + time_report())


def output_gone(r):
    prog = b"10 PRINT 1\n20 PRINT 1/0\n"
    # A closed stdout: nothing can be shown, and nothing goes wrong either.
    got = run_with(prog, before=lambda: os.close(1), stdout=None)
    r.expect_run("stdout closed", got, b"")
    got = run_with(prog, stdout=subprocess.DEVNULL)
    r.expect_run("stdout to /dev/null", got, b"")
    with open("/dev/full", "wb") as full:
        r.expect_run("stdout to a full disk", run_with(prog, stdout=full), b"")
    body = b"".join(b"%d A=1\n" % i for i in range(1, 2003))
    got = run_with(body, before=lambda: os.close(2))
    r.check("too many lines with stderr closed", got[0] == 0 and got[1] == b"", repr(got)[:200])


def working_directory(r):
    prog = b"10 PRINT 7\n"
    holder = tempfile.mkdtemp(prefix="atbasic_rel_")
    os.chmod(holder, 0o755)
    try:
        path = os.path.join(holder, "prog.bas")
        with open(path, "wb") as f:
            f.write(prog)
        os.chmod(path, 0o644)
        gone = os.path.join(holder, "gone")
        os.mkdir(gone)
        got = run_with(prog, cwd=gone, args=[path], before=lambda: os.rmdir(gone))
        r.expect_run("a working directory that was removed", got, printed(7) + time_report())
        locked = os.path.join(holder, "locked")
        os.mkdir(locked, 0o111)
        os.chmod(locked, 0o111)

        def as_nobody():
            if os.getuid() == 0:  # root reads any folder; become someone who cannot
                os.setgroups([])
                os.setgid(65534)
                os.setuid(65534)

        got = run_with(prog, cwd=locked, args=[path], before=as_nobody)
        r.expect_run("a working directory that cannot be read", got, printed(7) + time_report())
    finally:
        shutil.rmtree(holder, ignore_errors=True)


def no_terminal(r):
    got = run_with(b"10 INPUT A\n20 PRINT A+1\n", new_session=True)
    r.expect_run("no controlling terminal", got, b"A " + printed(1) + time_report())
    with Workdir(b"10 INPUT A\n20 PRINT A*2\n") as w:
        p = subprocess.run(["setsid", "-w", EXE, "prog.bas"], cwd=w.path, input=b"21\n\n",
                           capture_output=True, timeout=60)
    r.expect_run("setsid with typed input", (p.returncode, p.stdout, p.stderr), b"A " + printed(42) + time_report())


SIGNAL_PROGRAMS = [
    ("a busy loop", b"10 GOTO 10\n", None),
    ("a printing loop", b"10 PRINT 1,2,3;GOTO 10\n", None),
    ("WAIT(2147483647)", b"10 A=WAIT(2147483647)\n", None),
    ("INPUT", b"10 INPUT A\n", "open"),
    ("the final wait", b"10 PRINT 1\n", "open"),
    ("the error report's wait", b"10 PRINT 1/0\n", "open"),
    ("deep recursion", b"10 A=A+1;GOSUB 20;GOTO 10\n20 IF A<99 A=A+1;GOSUB 20\n30 RETURN\n", None),
]


def signals(r):
    for name, prog, stdin in SIGNAL_PROGRAMS:
        for sig in (signal.SIGINT, signal.SIGTERM, signal.SIGHUP):
            for delay in (0.0, 0.003, 0.2):
                with Workdir(prog) as w:
                    p = subprocess.Popen([EXE, "prog.bas"], cwd=w.path,
                                         stdin=subprocess.PIPE if stdin else subprocess.DEVNULL,
                                         stdout=subprocess.PIPE, stderr=subprocess.PIPE)
                    out = []
                    reader = threading.Thread(target=lambda: out.append(p.stdout.read()))
                    reader.start()
                    time.sleep(delay)
                    p.send_signal(sig)
                    try:
                        status = p.wait(timeout=20)
                    except subprocess.TimeoutExpired:
                        p.kill()
                        status = "hung"
                    reader.join()
                    err = p.stderr.read()
                    if p.stdin:
                        p.stdin.close()
                # Ending by the signal itself or quietly with 0 are both sane;
                # a hang, another status or any report on stderr is not.
                ok = status in (0, -sig) and err == b""
                r.check("%s at %.3f s during %s" % (sig.name, delay, name), ok,
                        "status %s, stderr %r" % (status, err[:300]))


def main():
    global EXE
    EXE = os.path.abspath(sys.argv[1])
    r = Results()
    for case in (head_one, input_ends, output_gone, working_directory, no_terminal, signals):
        case(r)
    return r.finish()


if __name__ == "__main__":
    sys.exit(main())
