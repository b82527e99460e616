#!/usr/bin/python3
"""Writes the import tests' files with the tools that make such files in the
wild: Python's csv and wave modules, NumPy's save, SciPy's savemat and sox.
Run once by hand (python3-numpy, python3-scipy and sox needed); the files are
committed, so the tests need none of these tools.

Beside each file whose values are known exactly, NAME.expect holds them, one
a line, as hexadecimal floats."""
import csv
import os
import struct
import subprocess
import wave

import numpy as np
import scipy.io

here = os.path.dirname(os.path.abspath(__file__))
os.chdir(here)
rng = np.random.default_rng(24)


def expect(name, values):
    with open(name + ".expect", "w") as out:
        for v in values:
            out.write(float(v).hex() + "\n")


# Text: what spreadsheets and loggers write.
values = [float(v) for v in rng.normal(0, 50, 9)] + [1e-300, -0.0, 12345678901234567890.0]
with open("header_two_columns.csv", "w", newline="") as f:
    w = csv.writer(f)
    w.writerow(["time", "value"])
    for i, v in enumerate(values):
        w.writerow([i, repr(v)])
expect("header_two_columns.csv", values)

with open("comments_semicolon_decimal_comma.csv", "w", newline="") as f:
    f.write("# logger 7, channel A\n% exported twice\n")
    w = csv.writer(f, delimiter=";")
    w.writerow(["t", "Temperatur (°C)", "Druck"])
    for i, v in enumerate(values):
        w.writerow([i, repr(v).replace(".", ","), "1013,25"])
        if i == 4:
            f.write("# a note in the middle\n")
expect("comments_semicolon_decimal_comma.csv", values)

with open("quoted.csv", "w", newline="") as f:
    w = csv.writer(f, quoting=csv.QUOTE_ALL)
    w.writerow(["label, with comma", "say \"hi\"\nthen go", "x"])
    for i, v in enumerate(values):
        w.writerow([f"row {i}, \"odd\"", f"two\nlines {i}", repr(v)])
expect("quoted.csv", values)

with open("bom_crlf.tsv", "w", newline="", encoding="utf-8-sig") as f:
    w = csv.writer(f, delimiter="\t", lineterminator="\r\n")
    w.writerow(["a", "b"])
    for v in values:
        w.writerow([repr(v), 7])
expect("bom_crlf.tsv", values)

with open("bad_number.csv", "w", newline="") as f:
    csv.writer(f).writerows([["t", "v"], [0, 1.5], [1, "abc"], [2, 3.5]])
with open("short_line.csv", "w", newline="") as f:
    csv.writer(f).writerows([["t", "v"], [0, 1.5], [1, 2.5], [2]])
with open("empty_field.csv", "w", newline="") as f:
    csv.writer(f).writerows([[0, 1.5], [1, ""], [2, 3.5]])
open("empty.csv", "w").close()

# NumPy: every numeric type in both byte orders, C and Fortran order.
ints = [0, 1, -2, 3, 100, -100, 127]
uints = [0, 1, 2, 3, 100, 200, 255]
for kind, base in (("i", ints), ("u", uints)):
    for size in (1, 2, 4, 8):
        for order in ("<", ">"):
            dtype = np.dtype(f"{order}{kind}{size}")
            array = np.array(base, dtype=dtype) * (1 if size == 1 else 255)
            if size == 8:
                array[-1] = 2**62 + 1 if kind == "i" else 2**64 - 1
            name = f"{kind}{size}_{'le' if order == '<' else 'be'}.npy"
            np.save(name, array)
            expect(name, [float(int(v)) for v in array])
floats = rng.normal(0, 1e3, 7)
for size in (2, 4, 8):
    for order in ("<", ">"):
        array = floats.astype(np.dtype(f"{order}f{size}"))
        name = f"f{size}_{'le' if order == '<' else 'be'}.npy"
        np.save(name, array)
        expect(name, [float(v) for v in array])
np.save("f16_le.npy", np.array([1.0, -2.5, 1e-4], dtype=np.longdouble))
expect("f16_le.npy", [float(v) for v in np.array([1.0, -2.5, 1e-4], dtype=np.longdouble)])
np.save("bool.npy", np.array([True, False, True]))
expect("bool.npy", [1.0, 0.0, 1.0])
table = rng.normal(0, 1, (6, 3))
np.save("table_c.npy", table)
np.save("table_fortran.npy", np.asfortranarray(table))
expect("table_c.npy", table[:, 1])  # the tests read column 2
expect("table_fortran.npy", table[:, 1])
np.save("complex.npy", np.array([1 + 2j, 3]))
np.save("cube.npy", np.zeros((2, 2, 2)))
with open("f8_le.npy", "rb") as f:
    whole = f.read()
with open("truncated.npy", "wb") as f:
    f.write(whole[:-12])

# MATLAB: vectors of several classes, a matrix, and a file with no number.
ecg = np.round(rng.normal(0, 100, 11), 3)
scipy.io.savemat("signals.mat", {
    "title": "bench run",
    "ecg": ecg.reshape(1, -1),
    "counts": np.arange(5, dtype=np.int16).reshape(-1, 1) - 2,
    "grid": table,
})
expect("signals.mat", ecg)
scipy.io.savemat("no_vector.mat", {"title": "nothing here", "meta": {"rate": "fast"}})

# Audio: a 16-bit WAV from the wave module; sox makes the others from it.
tone = np.round(20000 * np.sin(np.arange(300) * 0.05) * np.linspace(0, 1, 300)).astype("<i2")
with wave.open("tone.wav", "wb") as w:
    w.setnchannels(1)
    w.setsampwidth(2)
    w.setframerate(8000)
    w.writeframes(tone.tobytes())
expect("tone.wav", [v / 32768 for v in tone])
stereo = np.stack([tone, -tone // 2], axis=1).astype("<i2")
with wave.open("stereo.wav", "wb") as w:
    w.setnchannels(2)
    w.setsampwidth(2)
    w.setframerate(8000)
    w.writeframes(stereo.tobytes())
expect("stereo.wav", [(a / 32768 + b / 32768) / 2 for a, b in stereo])
for name in ("tone.flac", "tone.aiff", "tone.ogg"):
    subprocess.run(["sox", "tone.wav", name], check=True)
for name in ("tone.flac", "tone.aiff"):
    expect(name, [v / 32768 for v in tone])
with open("tone.wav", "rb") as f:
    riff = f.read()
with open("corrupt.wav", "wb") as f:
    f.write(riff[:12] + b"fmt \xff\xff\xff\x7f" + b"\x00" * 40)
