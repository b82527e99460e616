#!/usr/bin/python3
"""The quelmar module measured from Python, in the same run as the C++ figures.

1. forward + inverse over all J levels on 2^24 + 1 samples, in place, against
   BM_ForwardInverse/24 of the bench_analysis program given.
2. Read, denoise and write one noisy 2^24 + 1 sample file: quelmar.denoise
   (the universal rule, hard, 1 and 16 shifts) against a PyWavelets script
   doing the universal rule with sym8 (np.loadtxt, wavedec, threshold,
   waverec, np.savetxt), each with its error against the clean signal.

    python_module.py BENCH_ANALYSIS FOLDER   (PYTHONPATH naming the module)
"""
import json
import os
import subprocess
import sys
import time

import numpy as np
import pywt

import quelmar

J = 24


def best_of(runs, work):
    times = []
    for _ in range(runs):
        start = time.perf_counter()
        work()
        times.append(time.perf_counter() - start)
    return min(times), float(np.median(times))


def transform_speed(bench_analysis):
    x = np.random.default_rng(42).uniform(-1.0, 1.0, 2**J + 1)

    def pair():
        quelmar.forward(x, J, out=x)
        quelmar.inverse(x, J, out=x)

    _, python_ms = best_of(10, pair)
    report = subprocess.run([bench_analysis, f"--benchmark_filter=BM_ForwardInverse/{J}$",
                             "--benchmark_format=json", "--benchmark_repetitions=5"],
                            check=True, capture_output=True, text=True).stdout
    runs = [b for b in json.loads(report)["benchmarks"] if b.get("aggregate_name") == "median"]
    cpp_ms = runs[0]["real_time"]
    python_ms *= 1000
    print(f"forward+inverse/{J}: Python {python_ms:.1f} ms, BM_ForwardInverse/{J} {cpp_ms:.1f} ms, "
          f"ratio {python_ms / cpp_ms:.2f}")


def doppler(n):
    t = np.linspace(0.0, 1.0, n)
    return np.sqrt(t * (1 - t)) * np.sin(2.1 * np.pi / (t + 0.05))


def pywt_script(source, target):
    x = np.loadtxt(source)
    coeffs = pywt.wavedec(x, "sym8", mode="symmetric")
    sigma = np.median(np.abs(coeffs[-1])) / 0.6745
    t = sigma * np.sqrt(2 * np.log(len(x)))
    coeffs[1:] = [pywt.threshold(c, t, mode="hard") for c in coeffs[1:]]
    np.savetxt(target, pywt.waverec(coeffs, "sym8", mode="symmetric")[: len(x)])


def quelmar_script(source, target, shifts):
    signal, _ = quelmar.denoise(quelmar.read_samples(source), rule="universal", shrink="hard", shifts=shifts)
    quelmar.write_samples(target, signal)


def denoise_comparison(folder):
    os.makedirs(folder, exist_ok=True)
    clean = doppler(2**J + 1)
    noisy = clean + np.random.default_rng(7).normal(0.0, 0.05, clean.size)
    source = os.path.join(folder, "noisy.dat")
    quelmar.write_samples(source, noisy)
    target = os.path.join(folder, "denoised.dat")
    runs = [("quelmar, 1 shift", lambda: quelmar_script(source, target, 1)),
            ("quelmar, 16 shifts", lambda: quelmar_script(source, target, 16)),
            ("PyWavelets sym8", lambda: pywt_script(source, target))]
    for name, script in runs:
        seconds, _ = best_of(1, script)
        rmse = np.sqrt(np.mean((np.loadtxt(target) - clean) ** 2))
        print(f"read+denoise+write/{J}, {name}: {seconds:.2f} s, RMSE {rmse:.5f}")


def main():
    transform_speed(sys.argv[1])
    denoise_comparison(sys.argv[2])


if __name__ == "__main__":
    main()
