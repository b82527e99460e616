#!/usr/bin/python3
"""The reference for the denoising quality table: Debian's python3-pywt with
sym8, the universal threshold sigma * sqrt(2 ln n) (sigma = median(|finest
details|) / 0.6745), hard and soft, on the signals denoise_quality wrote.

The signals hold 2^J + 1 samples, so pywt runs in its default 'symmetric'
mode over the whole signal, as many levels as pywt.dwt_max_level allows.

    denoise_quality_pywt.py [FOLDER]   (default: denoise_quality_signals)
"""
import glob
import os
import sys

import numpy as np
import pywt


def denoise(x, mode):
    coeffs = pywt.wavedec(x, "sym8", mode="symmetric")
    sigma = np.median(np.abs(coeffs[-1])) / 0.6745
    t = sigma * np.sqrt(2 * np.log(len(x)))
    coeffs[1:] = [pywt.threshold(c, t, mode=mode) for c in coeffs[1:]]
    return pywt.waverec(coeffs, "sym8", mode="symmetric")[: len(x)]


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else "denoise_quality_signals"
    print("signal,J,rule,shrink,shifts,rmse")
    for clean_path in sorted(glob.glob(os.path.join(folder, "*_clean.txt"))):
        stem = os.path.basename(clean_path)[: -len("_clean.txt")]
        name, j = stem.rsplit("_", 1)
        clean = np.loadtxt(clean_path)
        noisy = [np.loadtxt(p) for p in sorted(glob.glob(os.path.join(folder, stem + "_[0-9]*.txt")))]
        for mode in ("hard", "soft"):
            rmse = np.mean([np.sqrt(np.mean((denoise(x, mode) - clean) ** 2)) for x in noisy])
            print(f"pywt-{name},{j},sym8-universal,{mode},1,{rmse:.4f}")


if __name__ == "__main__":
    main()
