#!/usr/bin/env python3
"""Writes the seed inputs of every fuzz target into fuzz/corpus/<target>/.

Each target takes its input apart as its source says (FuzzInput.h): leading
bytes as choices, the rest as text or data. A target without seeds here starts
from nothing."""

import hashlib
import json
import pathlib
import shutil
import struct

root = pathlib.Path(__file__).resolve().parent / "corpus"


def reader(n, chunk, text):
    return struct.pack("<HB", n - 1, chunk - 1) + text


def textual(choice, text):
    return bytes([choice]) + text


def long_double(kind, significand, exponent, format, precision):
    return bytes([kind]) + struct.pack("<QHBB", significand, (exponent + 16500) % 33000, format, precision - 1)


def doubles(values):
    return struct.pack("<%dd" % len(values), *values)


def command(*arguments):
    return b"\0".join(arguments)


def transform(j, levels, values, wavelet=0):
    """wavelet: 0 linear, 1 haar, 2 cubic."""
    return bytes([(j - 2) | ((levels - 1) << 4), wavelet]) + struct.pack("<%dd" % len(values), *values)


NUMBERS = [b"-.5", b"+3", b"5.", b".25e1", b"1E-3", b"- 2.5", b"1e999", b"1e-400", b"0x1A", b"1.5abc"]

def recipe(steps, outputs, **changes):
    r = {"version": 1, "program": "quelmar 1.0.0",
         "input": {"file": "in.dat", "size": 9652, "sha256": "ab" * 32}, "count": "513",
         "steps": steps, "outputs": outputs}
    r.update(changes)
    return json.dumps(r, indent=1).encode()


def compact(seed):
    return json.dumps(json.loads(seed)).encode()


HASH = "0123456789abcdef" * 4
WINDOW_STEPS = [{"step": "Decompose", "levels": 3}, {"step": "Thresholding", "item": 2, "threshold": "0.1"},
                {"step": "Thresholding", "item": 4, "threshold": "5e-324"}, {"step": "Reconstruct"}]
DENOISE_STEPS = [{"step": "Decompose", "levels": 9},
                 {"step": "ApplyAllLevels", "rule": "sure", "shrink": "soft", "shifts": 16,
                  "thresholds": [0.1, 5e-324, 1.7976931348623157e308, 0, 1, 2, 3, 4, 5], "given": [2, 9],
                  "approximation": 0.30000000000000004},
                 {"step": "Reconstruct"}]
OUTPUTS = [{"output": "coefficients", "file": "c/level_2.dat", "item": 2, "after": 3, "sha256": HASH},
           {"output": "result", "file": "out.dat", "after": 4, "sha256": HASH},
           {"output": "buffer", "after": 4, "sha256": HASH}]

SEEDS = {
    "fuzz_reader": [
        reader(5, 1, b"1 2 3 4 5"),
        reader(5, 3, b"1\r\n2\r\n3\r\n4\r\n5\r\n"),
        reader(9, 2, b"1,2,3"),
        reader(5, 4, b"1 2\x1a 3 4 5"),
        reader(17, 5, b" \t".join(NUMBERS)),
        reader(5, 1, b"time value\n1 2\n"),
        reader(3, 7, b"1 " + b" " * 40 + b"wordwordwordwordwordword"),
        reader(5, 2, b"0.1000000000000000055511151231257827 2.2250738585072014e-308 4.9e-324"),
    ],
    "fuzz_conversions": [textual(c, t) for c in (0, 1) for t in (
        b"513", b"  -7", b"$FFFFFFFF", b"0x7fffffff", b"-2147483648", b"2147483648", b"x", b"5 ",
        b"1.5", b"1,5", b" -.5e+3 ", b"1e", b",", b"1e4933", b"")],
    "fuzz_threshold": [textual(c, t) for c in (0, 1) for t in (
        b"10", b"0.5", b"0,5", b"-1e308", b"1.7976931348623158e308", b"1e400", b"abc", b" 1E-5000 ")],
    "fuzz_float_format": [
        long_double(0, 0xC90FDAA22168C235, 1, 2, 5),        # pi, the mean readout's format
        long_double(1, 0x8000000000000000, -10, 0, 15),     # -2^-10
        long_double(0, 0xF424000000000000, 20, 3, 18),      # 1000000 with digits to round
        long_double(0, 0x8000000000000000, 16383, 1, 4),    # near the top of the range
        long_double(0, 0, 0, 2, 1),                         # zero
        long_double(2, 0, 0, 0, 15),                        # infinity
        long_double(0x44, 0xFFFFFFFFFFFFFFFF, 46, 3, 5),    # 99999.99... with "," as separator
    ],
    "fuzz_transform": [
        transform(2, 2, [1, 2, 3, 4, 5]),
        transform(3, 3, [float(i * i) for i in range(9)]),
        transform(4, 2, [1.7e308, -1.7e308] * 8 + [1.0]),
        transform(2, 1, [float("nan"), 0, 0, 0, 0]),
        transform(5, 5, [(-1) ** i * 1e-310 for i in range(33)]),
        transform(4, 4, [1e307, -1e307] * 8 + [1e307], wavelet=2),
        transform(3, 3, [float(i) for i in range(9)], wavelet=1),
    ],
    "fuzz_writer": [
        doubles([1.0, -0.0, 0.1, 5e-324, 1.7976931348623157e308, 2.2250738585072014e-308]),
        doubles([-2.2250738585072009e-308, 1e21, 1e-7, 123456.0, 0.30000000000000004, 9007199254740992.0]),
        doubles([1.5, float("nan"), 2.5]),
        doubles([float("-inf"), 1.0]),
        doubles([-1.2345678901234567e-300, 7.0, 1e22, 5e-324]),
    ],
    "fuzz_batch_args": [
        command(b"--levels", b"3", b"--threshold", b"10", b"in.dat", b"out.dat"),
        command(b"--universal", b"--coefficients", b"c", b"--out-dir", b"results", b"a.dat", b"b.dat"),
        command(b"--levels=4", b"--threshold", b"3=2.5", b"--threshold=1=0.75", b"--count", b"$201", b"in.dat"),
        command(b"--plot", b"charts.png", b"--plot-level", b"5", b"--levels", b"4", b"in.dat", b"-"),
        command(b"--plot=c.SVG", b"--plot-level=2", b"--", b"-in.dat", b""),
        command(b"--threshold", b"1e400", b"--help", b"--version", b"--universal=1", b"--out-dir"),
        command(b"--save-recipe", b"r.json", b"--auto", b"in.dat", b"out.dat"),
        command(b"--recipe", b"r.json", b"--verify", b"other.dat"),
        command(b"--recipe", b"r.json", b"--overwrite", b"--out-dir", b"replayed"),
    ],
    "fuzz_recipe": [
        recipe(WINDOW_STEPS, OUTPUTS),
        recipe(DENOISE_STEPS, [{"output": "result", "file": "-", "after": 3, "sha256": HASH}],
               input={"file": "in.csv", "size": 0, "sha256": HASH, "import": {"column": "2"}}),
        recipe(WINDOW_STEPS[1:], OUTPUTS),
        recipe([], [], version=2),
        recipe(WINDOW_STEPS, OUTPUTS, count="1e3"),
        b'{"version": 1, "steps": [{"step": "Decompose", "levels": 1e2}]}',
        recipe(DENOISE_STEPS, OUTPUTS).replace(b"1.7976931348623157e+308", b"1.8e+308"),  # beyond double
    ],
    # Replays on a 17-sample input whose outputs name places outside the folder.
    "fuzz_replay": [
        compact(recipe(WINDOW_STEPS, [dict(o, file="../escape.dat") if o["output"] == "result" else o
                                      for o in OUTPUTS], count="17")),
        compact(recipe(WINDOW_STEPS, [dict(o, file="/tmp/quelmar-fuzz-absolute.dat") if "file" in o else o
                                      for o in OUTPUTS], count="17")),
        compact(recipe([{"step": "Decompose", "levels": 3},
                        dict(DENOISE_STEPS[1], thresholds=[0.1, 0.2, 0.3], given=[2]), {"step": "Reconstruct"}],
                       [{"output": "result", "file": "deep/er/x.dat", "after": 3, "sha256": HASH}], count="17")),
    ],
    "fuzz_import_csv": [
        textual(0, b"time,value\n0,1.5\n1,-2.5e3\n2,.25\n"),
        textual(4 | 1 | 8 | 16 | 32 | 64, b"# made\nt;v\n0;1,5\n1;\"2,5\"\r\n% note\n2;3,\n"),
        textual(32, b"\xef\xbb\xbf\"a, b\",c\n\"x\ny\",1\n\"q\"\"\",2\n"),
        textual(4 | 3 | 32 | 128, b"  1 2 3\n4 5 6 # c\n\t7\t8\t9\r\n"),
        textual(4 | 2, b"a\tb\n1e999\t2\n"),
        textual(0, b"1,2\n3\n"),
        textual(0, b"# by \"logger\nsize 5\",v\n0,1\n1,2\n"),
    ],
    "fuzz_import_npy": [
        bytes([0]) + b"\x93NUMPY\x01\x00\x76\x00{'descr': '<f8', 'fortran_order': False, 'shape': (2,), }"
        + b" " * 57 + b"\n" + struct.pack("<2d", 1.5, -2.0),
        bytes([1]) + b"\x93NUMPY\x02\x00\x00\x00\x00\x00{}",
        bytes([64 | 1 | 4, 10, 3, 2, 1]) + bytes(range(48)),
        bytes([64 | 2 | 4, 9, 5, 3, 0]) + bytes(range(30)),
        bytes([64 | 8 | 16, 4, 7]) + bytes(range(20)),
        bytes([64, 11, 4]) + struct.pack("<4d", 0.1, -0.0, 1e308, 5e-324),
    ],
}

for target, seeds in SEEDS.items():
    folder = root / target
    shutil.rmtree(folder, ignore_errors=True)
    folder.mkdir(parents=True)
    for seed in seeds:
        (folder / hashlib.sha1(seed).hexdigest()[:16]).write_bytes(seed)
