#!/usr/bin/env python3
"""Times atbasic against yabasic, gbs3 and plain C on the programs in bench/.

    python3 bench/run.py [--runs N] [--only NAME,...] [--skip-peers] ATBASIC

Every implementation of a program must print the same "CHECK n" line. The
implementations are timed alternately within each round (the order rotates
from round to round), so a load that comes and goes hits them alike. The
table gives median seconds, the median of the per-round ratios of atbasic to
each peer, their geometric means, the start-up time of a one-line program and
the peak resident memory of every run.
"""
import argparse
import math
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
PROGRAMS = ["loop", "arith", "gosub", "sieve", "queens", "stack", "blocks", "print"]
# A program whose output is timed going to /dev/null; its checksum comes
# from one more run whose output is kept.
TO_NULL = {"print"}
CHECK = re.compile(rb"CHECK\s*(-?\d+)")

# One-line programs for the start-up time: run to the end, stdin /dev/null.
ONE_LINE = {
    "atbasic": ("basic", "startup.bas", "10 A=1\n"),
    "yabasic": ("yabasic", "startup.yab", "a=1\n"),
    "gbs3": ("gambas", "startup.gbs", "#!/usr/bin/env gbs3\nDim a As Integer = 1\n"),
    "C": ("c", "startup.c", "int main(void) { return 0; }\n"),
}


def command(impl, atbasic, name, workdir):
    if impl == "atbasic":
        return [atbasic, os.path.join(HERE, "basic", name + ".bas")]
    if impl == "yabasic":
        return ["yabasic", os.path.join(HERE, "yabasic", name + ".yab")]
    if impl == "gbs3":
        return ["gbs3", os.path.join(HERE, "gambas", name + ".gbs")]
    return [os.path.join(workdir, "c_" + name)]


def run_once(argv, stdout, workdir):
    """Wall seconds and peak resident set (KiB) of one run. The peak comes from
    GNU time: a child forked from Python would count Python's own pages."""
    rss_file = os.path.join(workdir, "rss")
    with open(os.devnull, "rb") as stdin:
        start = time.perf_counter()
        rc = subprocess.call(["/usr/bin/time", "-f", "%M", "-o", rss_file] + argv,
                             stdin=stdin, stdout=stdout, stderr=subprocess.DEVNULL)
        seconds = time.perf_counter() - start
    if rc != 0:
        sys.exit(f"bench: {' '.join(argv)} exited with {rc}")
    with open(rss_file) as f:
        return seconds, int(f.read().split()[-1])


def time_plain(argv):
    """Wall seconds of one run without the GNU time wrapper, for start-up."""
    with open(os.devnull, "rb") as stdin:
        start = time.perf_counter()
        subprocess.call(argv, stdin=stdin, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return time.perf_counter() - start


def checksum(argv, workdir):
    out = os.path.join(workdir, "out.txt")
    with open(out, "wb") as f:
        run_once(argv, f, workdir)
    with open(out, "rb") as f:
        f.seek(max(0, os.path.getsize(out) - 4096))
        found = CHECK.findall(f.read())
    os.remove(out)
    return int(found[-1]) if found else None


def compile_c(name, source, workdir):
    exe = os.path.join(workdir, "c_" + name)
    subprocess.run(["gcc", "-O2", "-o", exe, source], check=True)
    return exe


def median_ratio(a, b):
    return statistics.median(x / y for x, y in zip(a, b))


def geomean(xs):
    return math.exp(sum(math.log(x) for x in xs) / len(xs))


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("atbasic")
    ap.add_argument("--runs", type=int, default=int(os.environ.get("BENCH_RUNS", "3")))
    ap.add_argument("--only", default="")
    ap.add_argument("--skip-peers", action="store_true", help="time atbasic and C only")
    args = ap.parse_args()
    atbasic = os.path.abspath(args.atbasic)
    programs = [p for p in PROGRAMS if not args.only or p in args.only.split(",")]
    impls = ["atbasic", "C"] if args.skip_peers else ["atbasic", "yabasic", "gbs3", "C"]
    for tool in [i for i in impls if i in ("yabasic", "gbs3")] + ["gcc", "/usr/bin/time"]:
        if shutil.which(tool) is None:
            sys.exit(f"bench: {tool} is not installed (make bench installs it)")

    workdir = tempfile.mkdtemp(prefix="atbasic-bench-")
    try:
        for p in programs:
            compile_c(p, os.path.join(HERE, "c", p + ".c"), workdir)

        # Every implementation must agree before anything is timed; these runs
        # also warm gbs3's compiled-script cache.
        bad = False
        for p in programs:
            sums = {i: checksum(command(i, atbasic, p, workdir), workdir) for i in impls}
            if len(set(sums.values())) != 1 or None in sums.values():
                print(f"bench: checksums differ for {p}: {sums}", file=sys.stderr)
                bad = True
        if bad:
            sys.exit(1)

        secs = {(p, i): [] for p in programs for i in impls}
        rss = {(p, i): 0 for p in programs for i in impls}
        for r in range(args.runs):
            for p in programs:
                order = impls[r % len(impls):] + impls[:r % len(impls)]
                for i in order:
                    argv = command(i, atbasic, p, workdir)
                    with open(os.devnull if p in TO_NULL else os.path.join(workdir, "o"), "wb") as out:
                        s, m = run_once(argv, out, workdir)
                    secs[(p, i)].append(s)
                    rss[(p, i)] = max(rss[(p, i)], m)
            print(f"bench: round {r + 1} of {args.runs} done", file=sys.stderr)

        startup = {i: [] for i in impls}
        startup_rss = {}
        files = {}
        for i in impls:
            sub, fname, text = ONE_LINE[i]
            path = os.path.join(workdir, fname)
            with open(path, "w") as f:
                f.write(text)
            if i == "C":
                files[i] = [compile_c("startup", path, workdir)]
            else:
                files[i] = {"atbasic": [atbasic], "yabasic": ["yabasic"], "gbs3": ["gbs3"]}[i] + [path]
            startup_rss[i] = run_once(files[i], subprocess.DEVNULL, workdir)[1]  # warms caches too
        for _ in range(20):
            for i in impls:
                startup[i].append(time_plain(files[i]))
    finally:
        shutil.rmtree(workdir, ignore_errors=True)

    peers = [i for i in impls if i != "atbasic"]
    head = f"{'program':8}" + "".join(f"{i + ' s':>11}" for i in impls)
    head += "".join(f"{'/' + i:>10}" for i in peers)
    print(f"\nSeconds (median of {args.runs}); ratios are atbasic/peer, median of per-round ratios")
    print(head)
    ratios = {i: [] for i in peers}
    for p in programs:
        row = f"{p:8}" + "".join(f"{statistics.median(secs[(p, i)]):11.3f}" for i in impls)
        for i in peers:
            q = median_ratio(secs[(p, 'atbasic')], secs[(p, i)])
            ratios[i].append(q)
            row += f"{q:10.3f}"
        print(row)
    print(f"{'geomean':8}" + " " * 11 * len(impls) + "".join(f"{geomean(ratios[i]):10.3f}" for i in peers))

    print("\nStart-up of a one-line program (median of 20, ms)")
    print("".join(f"{i:>11}" for i in impls))
    print("".join(f"{statistics.median(startup[i]) * 1000:11.2f}" for i in impls))

    print("\nPeak resident memory (MB)")
    print(f"{'program':8}" + "".join(f"{i:>11}" for i in impls))
    for p in programs:
        print(f"{p:8}" + "".join(f"{rss[(p, i)] / 1024:11.1f}" for i in impls))
    print(f"{'one-line':8}" + "".join(f"{startup_rss[i] / 1024:11.1f}" for i in impls))


if __name__ == "__main__":
    main()
