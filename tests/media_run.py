#!/usr/bin/env python3
"""Runs the real executable in a fresh directory holding sounds and movies.

    media_run.py ATBASIC

The program plays an effect, a loop, a video and a piece of music, stops them and ends. With
SDL's disk driver the sound that really came out is measured; with the
machine's own drivers (no sound card, no display here) the run must stay as
clean. Either way stdout holds only the program's own output and stderr
nothing. Prints 'N passed, M failed'.
"""
import array
import math
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile

PROGRAM = b"""10 A=WAV(1)+BGM(2)+PLAY(1)+PLAY(2)+WAV(3)+PLAY(4)+WAV(19)
20 PRINT "PLAYING"
30 A=WAIT(400)
40 A=WAV(-1)+BGM(-2)+PLAY(-1)+PLAY(-2)+WAV(-3)+PLAY(-4)+WAV(-19)
50 A=WAIT(600)
60 PRINT "STOPPED"
"""
EXPECTED = b"PLAYING\nSTOPPED\n\r\nPress Return To exit.  Time: N ms "
TIME = re.compile(rb"Time: -?\d+ ms ")


def write_wav(path, seconds, hz, peak, rate=22050):
    n = int(seconds * rate)
    data = array.array("h", (int(peak * math.sin(2 * math.pi * hz * i / rate)) for i in range(n)))
    if sys.byteorder != "little":
        data.byteswap()
    raw = data.tobytes()
    header = (b"RIFF" + struct.pack("<I", 36 + len(raw)) + b"WAVEfmt " +
              struct.pack("<IHHIIHH", 16, 1, 1, rate, rate * 2, 2, 16) +
              b"data" + struct.pack("<I", len(raw)))
    with open(path, "wb") as f:
        f.write(header + raw)


def write_video(path, frames):
    with open(path, "wb") as f:
        f.write(b"YUV4MPEG2 W16 H16 F10:1 Ip A1:1 C420jpeg\n")
        for k in range(frames):
            f.write(b"FRAME\n" + bytes([16 + 8 * k]) * 256 + b"\x80" * 128)


def rms_windows(path, ms=50):
    data = array.array("h")
    with open(path, "rb") as f:
        data.frombytes(f.read())
    if sys.byteorder != "little":
        data.byteswap()
    left = data[0::2]
    size = 44100 * ms // 1000
    return [math.sqrt(sum(x * x for x in left[i:i + size]) / size)
            for i in range(0, len(left) - size + 1, size)]


def run(exe, env_extra):
    tmp = tempfile.mkdtemp(prefix="atbasic_media_")
    try:
        write_wav(os.path.join(tmp, "wav1.wav"), 0.2, 440, 16000)
        write_wav(os.path.join(tmp, "wav2.wav"), 0.1, 660, 16000)
        write_video(os.path.join(tmp, "mov1"), 10)
        write_wav(os.path.join(tmp, "mov2"), 1.0, 330, 8000)
        with open(os.path.join(tmp, "t.bas"), "wb") as f:
            f.write(PROGRAM)
        env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
        env.update({k: v.replace("TMP", tmp) for k, v in env_extra.items()})
        proc = subprocess.run([exe, "t.bas"], cwd=tmp, stdin=subprocess.DEVNULL, env=env,
                              stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=30)
        raw = os.path.join(tmp, "out.raw")
        windows = rms_windows(raw) if os.path.exists(raw) else None
        return proc, windows
    finally:
        shutil.rmtree(tmp, ignore_errors=True)


def main():
    exe = os.path.abspath(sys.argv[1])
    cases = [
        ("disk audio", {"SDL_AUDIODRIVER": "disk", "SDL_DISKAUDIOFILE": "TMP/out.raw"}),
        ("the machine's own drivers", {}),
    ]
    passed = failed = 0
    for name, extra in cases:
        proc, windows = run(exe, extra)
        problems = []
        if proc.returncode != 0:
            problems.append("exit status %d" % proc.returncode)
        if TIME.sub(b"Time: N ms ", proc.stdout) != EXPECTED:
            problems.append("stdout %r" % proc.stdout[:300])
        if proc.stderr:
            problems.append("stderr %r" % proc.stderr[:300])
        if "SDL_DISKAUDIOFILE" in extra:
            if not windows:
                problems.append("no sound was written")
            else:
                loud = [i for i, r in enumerate(windows) if r > 1000]
                if not loud:
                    problems.append("nothing was heard")
                # Everything stopped at 400 ms; the output must end in silence.
                elif any(r > 50 for r in windows[-4:]):
                    problems.append("still sounding after the stop: %r" % windows[-4:])
        if problems:
            failed += 1
            print("FAIL %s: %s" % (name, "; ".join(problems)))
        else:
            passed += 1
    print("%d passed, %d failed" % (passed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
