#!/usr/bin/env python3
"""Generates the three feedback sounds as 16-bit mono WAV files in this folder:
TakePicture (a two-part shutter click), StartRecord (a rising tone) and
StopRecord (a falling tone). The output is deterministic; run it again after
changing a sound and commit the .wav files with it."""

import math
import os
import random
import struct
import wave

RATE = 22050
HERE = os.path.dirname(os.path.abspath(__file__))


def write(name, samples):
    with wave.open(os.path.join(HERE, name + ".wav"), "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(b"".join(struct.pack("<h", int(max(-1.0, min(1.0, s)) * 32000))
                               for s in samples))


def click(rng, length, decay, tone_hz):
    """A burst of noise mixed with a short resonance, dying away exponentially."""
    out = []
    for i in range(int(length * RATE)):
        t = i / RATE
        env = math.exp(-t / decay)
        noise = rng.uniform(-1.0, 1.0)
        ring = math.sin(2 * math.pi * tone_hz * t)
        out.append(env * (0.7 * noise + 0.3 * ring))
    return out


def shutter():
    rng = random.Random(7)
    opening = click(rng, 0.035, 0.006, 2400.0)
    gap = [0.0] * int(0.045 * RATE)
    closing = click(rng, 0.05, 0.009, 1700.0)
    return [0.8 * s for s in opening + gap + closing]


def sweep(f0, f1, seconds):
    """A sine gliding from f0 to f1 with soft edges."""
    n = int(seconds * RATE)
    out, phase = [], 0.0
    fade = int(0.015 * RATE)
    for i in range(n):
        f = f0 + (f1 - f0) * i / (n - 1)
        phase += 2 * math.pi * f / RATE
        edge = min(1.0, i / fade, (n - 1 - i) / fade)
        out.append(0.5 * edge * math.sin(phase))
    return out


if __name__ == "__main__":
    write("TakePicture", shutter())
    write("StartRecord", sweep(520.0, 1040.0, 0.22))
    write("StopRecord", sweep(1040.0, 520.0, 0.22))
