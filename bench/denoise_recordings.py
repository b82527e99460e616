#!/usr/bin/python3
"""Denoising quality on real recordings with noise added: the batch's --auto
against Debian's python3-pywt (sym8, universal threshold, hard and soft).

Each recording is the speech that Debian's alsa-utils ships in
/usr/share/sounds/alsa. Its first 2^15 + 1 samples, scaled to a standard
deviation of 7, are the clean signal; unit Gaussian noise is added with ten
seeds, and each result's root-mean-square error against the clean signal is
averaged over them.

    denoise_recordings.py BATCH_PROGRAM [WORK_FOLDER]
"""
import os
import subprocess
import sys
import wave

import numpy as np

# sym8, universal threshold from the finest details, as on the made signals.
from denoise_quality_pywt import denoise as pywt_denoise

RECORDINGS = ["Front_Center", "Rear_Left", "Side_Right"]
SAMPLES = 2**15 + 1
SEEDS = 10


def read_recording(name):
    with wave.open(f"/usr/share/sounds/alsa/{name}.wav") as w:
        frames = np.frombuffer(w.readframes(w.getnframes()), dtype="<i2").astype(float)
        x = frames.reshape(-1, w.getnchannels())[:, 0][:SAMPLES]
    return 7 * (x - x.mean()) / x.std()


def batch_denoise(program, folder, x):
    noisy = os.path.join(folder, "noisy.dat")
    clean = os.path.join(folder, "denoised.dat")
    np.savetxt(noisy, x, fmt="%.17g")
    subprocess.run([program, "--auto", noisy, clean], check=True, stderr=subprocess.DEVNULL)
    return np.loadtxt(clean)


def rmse(a, b):
    return float(np.sqrt(np.mean((a - b) ** 2)))


def main():
    program = sys.argv[1]
    folder = sys.argv[2] if len(sys.argv) > 2 else "denoise_recordings"
    os.makedirs(folder, exist_ok=True)
    print("recording,noisy,auto,pywt-hard,pywt-soft,auto/best-pywt")
    for name in RECORDINGS:
        clean = read_recording(name)
        errors = {"noisy": [], "auto": [], "hard": [], "soft": []}
        for seed in range(SEEDS):
            x = clean + np.random.default_rng(seed).standard_normal(len(clean))
            errors["noisy"].append(rmse(x, clean))
            errors["auto"].append(rmse(batch_denoise(program, folder, x), clean))
            for mode in ("hard", "soft"):
                errors[mode].append(rmse(pywt_denoise(x, mode), clean))
        mean = {k: float(np.mean(v)) for k, v in errors.items()}
        ratio = mean["auto"] / min(mean["hard"], mean["soft"])
        print(f"{name},{mean['noisy']:.4f},{mean['auto']:.4f},{mean['hard']:.4f},{mean['soft']:.4f},{ratio:.3f}")


if __name__ == "__main__":
    main()
