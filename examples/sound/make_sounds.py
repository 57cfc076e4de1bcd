#!/usr/bin/env python3
"""Writes this folder's two sounds: wav1.wav, a short blip for WAV(1), and
wav2.wav, a four-note phrase that BGM(2) loops. 8-bit mono, a few KB each."""
import math
import struct


def write_wav(name, rate, samples):
    data = bytes(max(0, min(255, int(128 + 127 * s))) for s in samples)
    header = (b"RIFF" + struct.pack("<I", 36 + len(data)) + b"WAVEfmt " +
              struct.pack("<IHHIIHH", 16, 1, 1, rate, rate, 1, 8) +
              b"data" + struct.pack("<I", len(data)))
    with open(name, "wb") as f:
        f.write(header + data)


def envelope(i, n, edge):
    return min(1.0, i / edge, (n - i) / edge)


def blip(rate=22050, seconds=0.12):
    n = int(rate * seconds)
    phase = 0.0
    for i in range(n):
        hz = 1400 - 900 * i / n  # a falling chirp
        phase += 2 * math.pi * hz / rate
        yield 0.7 * envelope(i, n, 60) * math.sin(phase)


def phrase(rate=11025, note=0.2):
    n = int(rate * note)
    for hz in (220.0, 277.2, 329.6, 277.2):  # A, C sharp, E, C sharp
        for i in range(n):
            t = i / rate
            tone = math.sin(2 * math.pi * hz * t) + 0.3 * math.sin(4 * math.pi * hz * t)
            yield 0.45 * envelope(i, n, 200) * tone


write_wav("wav1.wav", 22050, blip())
write_wav("wav2.wav", 11025, phrase())
