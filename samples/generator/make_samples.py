#!/usr/bin/env python3
"""Writes the example signal files in samples/.

Run from anywhere:  python3 samples/generator/make_samples.py

Each file is plain text, one number per line, "." as the decimal point, each
value written with the shortest digits that read back as the same double.
The noise comes from a seeded generator, so every run writes the same files.
"""

import math
import pathlib
import random

SAMPLES = pathlib.Path(__file__).resolve().parent.parent


def write(name, values):
    with open(SAMPLES / name, "w", encoding="ascii", newline="\n") as out:
        for v in values:
            out.write(repr(float(v)) + "\n")


def noisy_doppler(n, amplitude, sigma, seed):
    """A sine whose frequency falls from very high at the left end to low at
    the right, under an envelope that is zero at both ends, plus white noise.
    With the default threshold of 10 most finest-level noise details go while
    the large details of the fast oscillation on the left stay."""
    noise = random.Random(seed)
    values = []
    for i in range(n):
        t = i / (n - 1)
        clean = amplitude * math.sqrt(t * (1 - t)) * math.sin(2 * math.pi * 1.05 / (t + 0.05))
        values.append(clean + noise.gauss(0.0, sigma))
    return values


def noisy_chirp(n, amplitude, sigma, seed):
    """A sine whose frequency rises linearly from 2 to 60 periods per signal
    length, plus white noise."""
    noise = random.Random(seed)
    values = []
    for i in range(n):
        t = i / (n - 1)
        phase = 2 * math.pi * (2 * t + 29 * t * t)
        values.append(amplitude * math.sin(phase) + noise.gauss(0.0, sigma))
    return values


def blocks(n):
    """A piecewise constant signal: its details are zero except where a step
    lies between two neighbouring samples of a level."""
    steps = [(0.0, 0.0), (0.1, 40.0), (0.13, -20.0), (0.15, 30.0), (0.23, -10.0), (0.25, 50.0),
             (0.40, 20.0), (0.44, 60.0), (0.65, -30.0), (0.76, 10.0), (0.78, 40.0), (0.81, 0.0)]
    values = []
    for i in range(n):
        t = i / (n - 1)
        level = 0.0
        for start, height in steps:
            if t >= start:
                level = height
        values.append(level)
    return values


def main():
    write("doppler_noisy_513.dat", noisy_doppler(513, 100.0, 5.0, seed=513))
    write("chirp_noisy_1025.dat", noisy_chirp(1025, 50.0, 4.0, seed=1025))
    write("blocks_257.dat", blocks(257))


if __name__ == "__main__":
    main()
