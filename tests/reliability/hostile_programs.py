#!/usr/bin/env python3
"""Hostile programs: each case has the result the run must give.

    hostile_programs.py ATBASIC

Big files are generated here, never committed."""
import os
import random
import subprocess
import sys

from common import Results, Workdir, error_report, run, run_args, time_report

M, X = -2147483648, 2147483647
EXTREMES = (M, 0, X)


def num(v):
    """A number as PRINT shows it in its default field of 8."""
    return str(v).rjust(8).encode()


def printed(*values):
    return b"".join(num(v) for v in values) + b"\n"


def garbage(r):
    for seed in range(8):
        data = random.Random(seed).randbytes(3000)
        r.expect_run("random bytes %d" % seed, run(EXE, data), report=True)


def nul_bytes(r):
    r.expect_run("1000 NUL bytes are 1000 empty lines", run(EXE, b"\0" * 1000), time_report())
    r.expect_run("100000 NUL bytes are too many lines", run(EXE, b"\0" * 100000), b"",
                 b"atbasic: prog.bas has 100000 lines, more than the 2000 a program may have;"
                 b" nothing was run.\n")


def long_lines(r):
    n = 5 * 1000 * 1000
    prog = b"10 A=" + b"1+" * n + b"1\n20 PRINT A\n"
    r.expect_run("a 10 MB sum", run(EXE, prog), printed(n + 1) + time_report())
    text = b"x" * (10 * 1000 * 1000)
    r.expect_run("a 10 MB literal", run(EXE, b"10 PRINT '" + text + b"'"), text + b"\n" + time_report())
    r.expect_run("a 10 MB line without an end", run(EXE, b"10 REM " + text), time_report())
    # The report shows the line up to the failing character, however long.
    r.expect_run("an error at the end of a 10 MB line", run(EXE, b"10 A=1" + b"+1" * n + b"+"),
                 error_report("WHAT?", b"10 A=1" + b"+1" * n + b"+"))


def nesting(r):
    deep = 100000
    for name, open_, close in (("parentheses", b"(", b")"), ("@ indexes", b"@(", b")"),
                               ("word arguments", b"ABS(", b")")):
        prog = b"10 PRINT " + open_ * deep + b"1" + close * deep + b"\n"
        # The 501st level is refused right after its "(".
        r.expect_run("100000 nested " + name, run(EXE, prog),
                     error_report("SORRY", b"10 PRINT" + open_ * 501))
    prog = b"10 PRINT " + b"(" * 500 + b"7" + b")" * 500 + b"\n"
    r.expect_run("500 nested parentheses", run(EXE, prog), printed(7) + time_report())


def line_counts(r):
    body = b"".join(b"%d A=A+1\n" % i for i in range(1, 2000))
    r.expect_run("2000 lines", run(EXE, body + b"2000 PRINT A\n"), printed(1999) + time_report())
    notice = b"atbasic: prog.bas has 2001 lines, more than the 2000 a program may have; nothing was run.\n"
    r.expect_run("2001 lines", run(EXE, body + b"2000 PRINT A\n2001 PRINT 1\n"), b"", notice)
    r.expect_run("2000 lines and an empty one", run(EXE, body + b"2000 PRINT A\n\n"), b"", notice)


def stacks(r):
    prog = b"10 N=N+1;IF N<100 GOSUB 10\n20 D=D+1;RETURN\n"
    # 99 nested calls return one by one; the 100th RETURN finds no call.
    r.expect_run("GOSUB 99 deep and back", run(EXE, prog),
                 error_report("HOW?", b"20 D=D+1;RETURN"))
    prog = b"10 N=N+1;IF N<=100 GOSUB 10\n20 PRINT N,D;D=D+1;IF D<=100 RETURN\n"
    r.expect_run("GOSUB 100 deep, the limit", run(EXE, prog), expected_gosub_100() + time_report())
    # 101 deep is SORRY: tests/programs/hostile_gosub_limit.
    r.expect_run("GOSUB and RETURN 100000 times", run(EXE, b"5 GOSUB 20;IF N<100000 GOTO 5\n6 PRINT N;END\n"
                                                     b"20 N=N+1;RETURN\n"), printed(100000) + time_report())
    # FOR loops for all 26 variables at once: tests/programs/hostile_for_all_variables.


def expected_gosub_100():
    # Line 20 prints on the way back: the first RETURN comes from the 100th
    # call, so 101 frames of prints show D from 0 to 100; the last pass does
    # not return and the run ends.
    return b"".join(printed(101, d) for d in range(0, 101))


def closed_pipe(r, name, program):
    with Workdir(program) as w:
        rd, wr = os.pipe()
        os.close(rd)
        p = subprocess.run([EXE, "prog.bas"], cwd=w.path, stdin=subprocess.DEVNULL, stdout=wr,
                           stderr=subprocess.PIPE, timeout=60)
        os.close(wr)
    r.expect_run(name + " to a closed pipe", (p.returncode, b"", p.stderr), b"")


def pipe_closed_after(r, name, program, keep):
    """The reader takes `keep` bytes and goes away, as `| head -c keep` does."""
    with Workdir(program) as w:
        p = subprocess.Popen([EXE, "prog.bas"], cwd=w.path, stdin=subprocess.DEVNULL,
                             stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        got = p.stdout.read(keep)
        p.stdout.close()
        err = p.stderr.read()
        status = p.wait(timeout=60)
    r.check(name + " to a pipe closed early", status == 0 and err == b"" and len(got) == keep,
            "status %d, stderr %r, %d bytes" % (status, err[:200], len(got)))


def huge_output(r):
    for prog, name in ((b"10 PRINT #2000000000,1\n", "PRINT #2000000000"),
                       (b"10 A=TAB(2147483647)\n", "TAB(2147483647)"),
                       (b"10 PRINT #2000000000,1;GOTO 10\n", "PRINT #2000000000 for ever")):
        closed_pipe(r, name, prog)
        pipe_closed_after(r, name, prog, 100000)


# Each word with each extreme argument, on a stack holding 1 and 9 (9 on top,
# a block start for the block words and the range 1 to 9 for FIND). Row: word,
# then for M, 0 and X either None (How) or (value, depth, top, cells 9 to 16).
Z8 = (0,) * 8
ARGUMENT_WORDS = [
    ("ABS", (M, 2, 9, Z8), (0, 2, 9, Z8), (X, 2, 9, Z8)),
    ("SGN", (-1, 2, 9, Z8), (0, 2, 9, Z8), (1, 2, 9, Z8)),
    ("RND", None, None, "random"),
    ("SHUF", None, None, None),
    ("SORT", None, None, None),
    ("FULL", None, None, None),
    ("FIND", (0, 2, 9, Z8), (1, 2, 9, Z8), (0, 2, 9, Z8)),
    ("PUTO", (0, 2, 17, (-4, -7, -4, -8, -3, -6, -4, -8)), (0, 2, 17, Z8),
     (0, 2, 17, (4, 7, 4, 8, 3, 6, 4, 7))),
    ("PUTQ", (0, 2, 13, (-47, -48, -36, -48, 0, 0, 0, 0)), (0, 2, 13, Z8),
     (0, 2, 13, (47, 48, 36, 47, 0, 0, 0, 0))),
    ("PUTT", (0, 2, 12, (-147, -483, -648, 0, 0, 0, 0, 0)), (0, 2, 12, Z8),
     (0, 2, 12, (147, 483, 647, 0, 0, 0, 0, 0))),
    ("PUSH", (0, 3, M, Z8), (0, 3, 0, Z8), (0, 3, X, Z8)),
    ("POKE", (M, 3, M, Z8), (0, 3, 0, Z8), (X, 3, X, Z8)),
    ("STPT", None, (2, 2, 9, Z8), None),
    ("PICK", None, None, None),
    ("DIGI", None, None, None),
    ("LOC", (0, 2, 9, Z8), (0, 2, 9, Z8), (0, 2, 9, Z8)),
    ("COL", (0, 2, 9, Z8), (0, 2, 9, Z8), (0, 2, 9, Z8)),
    ("PUTC", None, (0, 2, 9, Z8), None),
    ("TAB", (0, 2, 9, Z8), (0, 2, 9, Z8), "pipe"),
    ("CURH", None, (0, 2, 9, Z8), None),
    ("WAIT", (0, 2, 9, Z8), (0, 2, 9, Z8), "signal"),
    ("VKEY", (0, 2, 9, Z8), (0, 2, 9, Z8), (0, 2, 9, Z8)),
    ("WAV", None, None, None),
    ("BGM", None, None, None),
    ("PLAY", None, None, None),
]

# Words without argument, on a stack holding v three times; the same columns.
def no_argument_words(v):
    def w(x):
        return (x + 2**31) % 2**32 - 2**31
    return [
        ("SIZE", (8192, 3, v)), ("CLS", (0, 3, v)), ("BEEP", (0, 3, v)), ("POP", (v, 2, v)),
        ("PEEK", (v, 3, v)), ("SWAP", (0, 3, v)), ("DUP", (0, 4, v)), ("DROP", (0, 2, v)),
        ("OVER", (0, 4, v)), ("ROT", (0, 3, v)), ("STCL", (0, 0, 0)),
        ("ADD", (0, 2, w(2 * v))), ("SUB", (0, 2, 0)), ("MUL", (0, 2, w(v * v))),
        ("DIV", (0, 2, 1) if v else None), ("MOD", (0, 2, 0) if v else None),
        ("LIST", (0, 3, v)), ("TIME", "time"),
    ]


def every_word(r):
    cells = b"".join(b",@(%d)" % i for i in range(9, 17))
    for row in ARGUMENT_WORDS:
        word = row[0]
        for v, want in zip(EXTREMES, row[1:]):
            call = b"B=%s(%d)" % (word.encode(), v)
            prog = b"10 A=PUSH(1)+PUSH(9)\n20 " + call + b"\n30 PRINT B,STPT(0),PEEK" + cells + b"\n"
            name = "%s(%d)" % (word, v)
            if want is None:
                r.expect_run(name, run(EXE, prog), error_report("HOW?", b"20 " + call))
            elif want == "random":
                prog = b"10 A=RND(%d)\n20 PRINT (A>=1)*(A<=%d)\n" % (v, v)
                r.expect_run(name, run(EXE, prog), printed(1) + time_report())
            elif want in ("pipe", "signal"):
                continue  # huge_output and the environment tests take these
            else:
                value, depth, top, at = want
                r.expect_run(name, run(EXE, prog), printed(value, depth, top, *at) + time_report())
    for v in EXTREMES:
        for word, want in no_argument_words(v):
            prog = (b"10 A=PUSH(%d)+PUSH(%d)+PUSH(%d)\n20 B=%s\n30 PRINT B,STPT(0),PEEK\n"
                    % (v, v, v, word.encode()))
            name = "%s on %d" % (word, v)
            if want is None:
                r.expect_run(name, run(EXE, prog), error_report("HOW?", b"20 B=" + word.encode()))
                continue
            if want == "time":
                r.expect_run(name, run(EXE, b"10 PRINT (TIME>=0)*(TIME<60000)\n"), printed(1) + time_report())
                continue
            before = b""
            if word == "BEEP":
                before = b"\a"
            if word == "LIST":
                before = b"\r\n  SP      VALUE\r\n" + b"".join(
                    str(p).rjust(4).encode() + str(v).rjust(11).encode() + b"\r\n" for p in (3, 2, 1))
            r.expect_run(name, run(EXE, prog), before + printed(*want) + time_report())
    # The one quotient 32 bits cannot hold wraps, in the operators and the words.
    prog = b"10 PRINT -2147483648/(-1),-2147483648%(-1)\n20 A=PUSH(-2147483648)+PUSH(-1)+DIV\n" \
           b"30 A=PUSH(-2147483648)+PUSH(-1)+MOD\n40 PRINT POP,POP\n"
    r.expect_run("-2147483648 by -1", run(EXE, prog), printed(M, 0) + printed(0, M) + time_report())
    prog = b"10 A=PUSH(-1)+PUSH(-2147483648)\n20 PRINT DIGI(9),DIGI(1)\n"
    r.expect_run("DIGI of -2147483648", run(EXE, prog), printed(-1, -8) + time_report())


def putc_and_tab(r):
    prog = b"10 A=PUTC(65)+PUTC(254)+PUTC(0)+TAB(0)+TAB(-2147483648)+TAB(3)+PUTC(10)\n"
    r.expect_run("PUTC and TAB in range", run(EXE, prog), b"A\xfe   \n" + time_report())
    for v in (255, -1):
        prog = b"10 A=PUTC(65)+PUTC(%d)\n" % v
        r.expect_run("PUTC(%d)" % v, run(EXE, prog), b"A" + error_report("HOW?", b"10 A=PUTC(65)+PUTC(%d)" % v))


def unusable_files(r):
    """Program files that cannot be read or never end are refused like a
    missing file: stdout stays empty and nothing crashes."""
    for path in ("/", "/dev/zero", "/dev/urandom", "/nonexistent/prog.bas"):
        status, out, err = run_args([EXE, path])
        bad = [w for w in (b"Sanitizer", b"runtime error", b"terminate", b"Aborted") if w in err]
        r.check("program file " + path, status == 0 and out == b"" and not bad,
                "status %s, stdout %r, stderr %r" % (status, out[:100], err[:300]))


EXE = None


def main():
    global EXE
    EXE = os.path.abspath(sys.argv[1])
    r = Results()
    for case in (garbage, nul_bytes, long_lines, nesting, line_counts, stacks, huge_output,
                 every_word, putc_and_tab, unusable_files):
        case(r)
    return r.finish()


if __name__ == "__main__":
    sys.exit(main())
