#!/usr/bin/env python3
"""Memory: a long loop keeps a constant footprint, and no way out of a run
leaks (valgrind on a plain build, LeakSanitizer on a sanitizer build).

    memory.py ATBASIC [--sanitized]"""
import os
import shutil
import subprocess
import sys
import threading
import time

from common import Results, Workdir

EXE = None
SANITIZED = False

LOOP = (b"10 GOSUB 100\n20 FOR I=1 TO 5;A=PUSH(I)+PUSH(I)+ADD+DUP+POP+DROP;NEXT I\n"
        b"30 PRINT A,'x',;@(N%4096)=A;N=N+1\n40 A=PUSH(N)+PUSH(0)+SORT(3)+STCL\n50 GOTO 10\n"
        b"100 FOR J=1 TO 2;GOSUB 200;NEXT J;RETURN\n200 RETURN\n")


def rss_kb(pid):
    with open("/proc/%d/status" % pid) as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def footprint(r):
    with Workdir(LOOP) as w:
        p = subprocess.Popen([EXE, "prog.bas"], cwd=w.path, stdin=subprocess.DEVNULL,
                             stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        count = [0]

        def drain():
            while True:
                chunk = p.stdout.read(65536)
                if not chunk:
                    return
                count[0] += len(chunk)

        reader = threading.Thread(target=drain)
        reader.start()
        time.sleep(1.0)
        early, early_bytes = rss_kb(p.pid), count[0]
        time.sleep(4.0)
        late, late_bytes = rss_kb(p.pid), count[0]
        p.terminate()
        p.wait(timeout=20)
        reader.join()
        p.stderr.close()
    # Tens of thousands of passes ran in between; a leak of a few bytes per
    # pass would show as megabytes.
    r.check("constant footprint", late_bytes > early_bytes + 200000 and late - early < 1024,
            "VmRSS %d kB then %d kB, output %d then %d bytes" % (early, late, early_bytes, late_bytes))


ENDINGS = [
    ("a normal end", b"10 A=PUSH(1)\n20 PRINT A\n", {}),
    ("an error report", b"10 GOSUB 20\n20 A=PUSH(1);PRINT 1/0\n", {}),
    ("a SORRY report", b"10 PRINT ((((1))))\n20 GOSUB 20\n", {}),
    ("too many lines", b"1 A=1\n" * 2001, {}),
    ("a missing file", None, {}),
    ("a closed stdout", b"10 PRINT 1;GOTO 10\n", {"stdout_closed": True}),
]


def endings(r):
    for name, prog, opts in ENDINGS:
        with Workdir(prog or b"") as w:
            args = [EXE, "prog.bas" if prog is not None else "missing.bas"]
            env = dict(os.environ)
            if SANITIZED:
                env["ASAN_OPTIONS"] = "detect_leaks=1"
            else:
                args = ["valgrind", "-q", "--leak-check=full", "--show-leak-kinds=definite,indirect",
                        "--errors-for-leak-kinds=definite,indirect", "--error-exitcode=99"] + args
            stdout = subprocess.PIPE
            if opts.get("stdout_closed"):
                rd, stdout = os.pipe()
                os.close(rd)
            p = subprocess.run(args, cwd=w.path, stdin=subprocess.DEVNULL, stdout=stdout,
                               stderr=subprocess.PIPE, env=env, timeout=120)
            if opts.get("stdout_closed"):
                os.close(stdout)
        err = p.stderr.decode(errors="replace")
        leaked = "LeakSanitizer" in err or "lost" in err or "ERROR SUMMARY" in err or p.returncode != 0
        r.check("no leak after " + name, not leaked, "status %d, stderr %s" % (p.returncode, err[:1500]))


def main():
    global EXE, SANITIZED
    EXE = os.path.abspath(sys.argv[1])
    SANITIZED = "--sanitized" in sys.argv[2:]
    r = Results()
    footprint(r)
    if SANITIZED or shutil.which("valgrind"):
        endings(r)
    else:
        r.check("valgrind is installed", False)
    return r.finish()


if __name__ == "__main__":
    sys.exit(main())
