#!/usr/bin/env python3
"""atbasic on a real terminal (a tmux pane): the terminal must be as it was
after a normal end, an error report, Ctrl-C, SIGTERM and SIGHUP, and after
the window was resized while the program drew; no partial escape sequence may
be left to swallow what the shell prints next.

    terminal_env.py ATBASIC"""
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

from common import Results

EXE = None
SOCKET = "atbasic_rel_%d" % os.getpid()

DRAW = (b"10 A=CLS\n20 FOR I=0 TO 2000\n30 A=LOC(I%70*100+I%20)+COL(I%16+16)+PUTC(65+I%26)+TAB(3)\n"
        b"40 PRINT I,\n50 NEXT I\n60 GOTO 20\n")
PROGRAMS = {
    "normal": b"10 A=COL(31)+CURH(0)+LOC(1005)\n20 PRINT 1\n",
    "error": b"10 A=COL(31)+CURH(0)\n20 PRINT 1/0\n",
    "draw": DRAW,
    "draw_once": DRAW.replace(b"60 GOTO 20", b"60 END").replace(b"TO 2000", b"TO 300"),
    "wait": b"10 A=COL(31)+CURH(0)+WAIT(2147483647)\n",
}


def tmux(*args, check=True):
    return subprocess.run(["tmux", "-L", SOCKET] + list(args), capture_output=True, check=check,
                          timeout=20).stdout.decode(errors="replace")


def wait_for(predicate, seconds=20):
    end = time.time() + seconds
    while time.time() < end:
        if predicate():
            return True
        time.sleep(0.05)
    return False


def screen():
    return tmux("capture-pane", "-p", "-t", "T")


class Pane:
    def __init__(self, folder):
        self.folder = folder
        tmux("new-session", "-d", "-s", "T", "-x", "80", "-y", "25", "-c", folder,
             "env -i PATH=/usr/bin:/bin TERM=xterm-256color HOME=%s HISTFILE=/dev/null "
             "bash --norc --noprofile" % folder)
        self.type("PS1='$ '")

    def type(self, line):
        tmux("send-keys", "-t", "T", "-l", line)
        tmux("send-keys", "-t", "T", "Enter")

    def file(self, name):
        path = os.path.join(self.folder, name)
        return open(path).read().strip() if os.path.exists(path) else None

    def start(self, name, program):
        """Runs the program in the foreground; afterwards the shell records
        its status, the terminal settings and a marker line."""
        for f in ("pid", "status", "after"):
            if os.path.exists(os.path.join(self.folder, f)):
                os.remove(os.path.join(self.folder, f))
        with open(os.path.join(self.folder, name + ".bas"), "wb") as f:
            f.write(program)
        # A script with its own Ctrl-C trap, so that the steps after the run
        # still happen when the run ends by SIGINT; the run itself gets the
        # default disposition back when it starts.
        with open(os.path.join(self.folder, "run.sh"), "w") as f:
            f.write("trap 'true' INT\nstty -g > before\n"
                    "sh -c 'echo $$ > pid; exec \"$0\" \"$1\"' '%s' %s.bas\n"
                    "echo $? > status\nstty -g > after\necho\necho END-OF-RUN-%s\n" % (EXE, name, name))
        self.type("clear; bash run.sh")
        return wait_for(lambda: self.file("pid"))

    def finished(self, name):
        return wait_for(lambda: self.file("after") is not None
                        and any(l.startswith("END-OF-RUN-" + name) for l in screen().splitlines()))


def scenario(r, pane, name, program, act, statuses):
    if not pane.start(name, program):
        r.check(name, False, "did not start")
        return
    act(pane)
    if not pane.finished(name):
        r.check(name, False, "did not end; screen:\n" + screen())
        tmux("send-keys", "-t", "T", "C-c", check=False)
        wait_for(lambda: pane.file("after") is not None, 5)
        return
    status = pane.file("status")
    same = pane.file("before") == pane.file("after")
    r.check(name, same and status in statuses,
            "status %s (want %s), terminal settings %s" % (status, statuses, "kept" if same else "changed"))


def shown(text, seconds=20):
    return wait_for(lambda: text in screen(), seconds)


def kill(sig):
    def act(pane):
        time.sleep(0.3)
        os.kill(int(pane.file("pid")), sig)
    return act


def press_return(pane):
    shown("Press", 20)
    pane.type("")


def ctrl_c(pane):
    time.sleep(0.3)
    tmux("send-keys", "-t", "T", "C-c")


def resize_then(then):
    def act(pane):
        time.sleep(0.2)
        for x, y in ((40, 10), (120, 40), (20, 5), (80, 25)):
            tmux("resize-window", "-t", "T", "-x", str(x), "-y", str(y))
            time.sleep(0.1)
        then(pane)
    return act


def main():
    global EXE
    EXE = os.path.abspath(sys.argv[1])
    if shutil.which("tmux") is None:
        print("tmux is missing")
        return 1
    r = Results()
    folder = tempfile.mkdtemp(prefix="atbasic_rel_")
    try:
        pane = Pane(folder)
        ok = ("0",)
        by = lambda s: ("0", str(128 + s))  # quietly, or by the signal itself
        scenario(r, pane, "normal", PROGRAMS["normal"], press_return, ok)
        scenario(r, pane, "error", PROGRAMS["error"], press_return, ok)
        scenario(r, pane, "draw_once", PROGRAMS["draw_once"], resize_then(press_return), ok)
        scenario(r, pane, "ctrl_c", PROGRAMS["draw"], ctrl_c, by(signal.SIGINT))
        scenario(r, pane, "resized_ctrl_c", PROGRAMS["draw"], resize_then(ctrl_c), by(signal.SIGINT))
        for sig in (signal.SIGTERM, signal.SIGHUP, signal.SIGINT):
            scenario(r, pane, "draw_" + sig.name, PROGRAMS["draw"], kill(sig), by(sig))
            scenario(r, pane, "wait_" + sig.name, PROGRAMS["wait"], kill(sig), by(sig))
    finally:
        tmux("kill-server", check=False)
        shutil.rmtree(folder, ignore_errors=True)
    return r.finish()


if __name__ == "__main__":
    sys.exit(main())
