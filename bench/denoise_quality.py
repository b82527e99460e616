#!/usr/bin/python3
"""Denoising quality: the mean root-mean-square error against the clean signal
of our denoising (the quelmar module in-process, and the batch program's
--auto as a user runs it) and of PyWavelets / scikit-image references, on the
very same noisy signals.

A. The Donoho-Johnstone signals Blocks, Bumps, HeaviSine and Doppler (the
   standard formulas, sampled at t = i / (n - 1)) at n = 2^J + 1 samples,
   J = 10, 11, 12, scaled to a standard deviation of 7, plus unit Gaussian
   noise; 10 seeds, noise k of cell (signal s, J) from
   numpy.random.default_rng(1000 * J + 100 * s + k). Every method decomposes
   L = J - 5 levels. Measured per cell:
     - auto: quelmar.denoise(x, L), which chooses transform, rule, shrinkage
       and Wiener stage itself;
     - every fixed configuration of ours: wavelet linear / haar / cubic x
       {universal hard, sure soft, bayes soft} x shifts {1, 16} x Wiener
       stage {no, yes (by the same transform)};
     - 16 PyWavelets scripts: sym8, db4, coif3, haar x {decimated wavedec /
       waverec in mode 'symmetric' with min(L, pywt.dwt_max_level) levels,
       16-shift cycle spinning (np.roll by 0 ... 15, denoise, roll back,
       average)} x {hard, soft}, universal threshold sigma * sqrt(2 ln n),
       sigma = median(|finest details|) / 0.6745 of that wavelet's own
       decomposition;
     - the noisy input itself.
   Summary: auto, the best fixed configuration of ours, the best PyWavelets
   script and auto / best PyWavelets; then the full table (one row per
   configuration, one column per cell) and auto's choices over the seeds.

B. Real signals plus Gaussian noise of 0.1, 0.3 and 0.5 times the signal's
   standard deviation: PyWavelets' ecg (1024 samples), the monthly NINO3 sea
   surface temperature (sst_nino3.npz, 'sst_csv' column 4, 800 months),
   statsmodels' yearly sunspots (SUNACTIVITY, 309 values) and the ALSA speech
   recordings Front_Center and Rear_Left (first channel, first 2^15 samples,
   raw 16-bit units); 10 seeds, noise k of cell (signal s, fraction f) from
   numpy.random.default_rng(50000 + 1000 * s + 100 * f + k). Errors are in
   the signal's own units. Ours is the batch program's --auto on a one-column
   CSV of the noisy signal, run as a subprocess, its output read back (the
   batch extends the signal to 2^J + 1 by reflection and writes back n
   samples). References: skimage.restoration.denoise_wavelet(y,
   wavelet='sym8', method='BayesShrink' / 'VisuShrink', mode='soft' / 'hard',
   rescale_sigma=True), each and the best; and the noisy input.
   Summary: noisy, auto, best skimage, auto / best skimage and whether auto
   beats the noisy input; then the full table with the batch's choices. A
   batch run that fails is counted as NaN and named in the choices column;
   the script then exits with status 1 after printing everything.

Tables go to standard output as CSV-like lines; the same numbers are written
as CSV files into WORK_FOLDER, which also holds the batch's input and output
files.

    denoise_quality.py BATCH_PROGRAM [WORK_FOLDER]   (PYTHONPATH naming the
                                                      quelmar module; default
                                                      WORK_FOLDER:
                                                      denoise_quality)
"""
import collections
import multiprocessing
import os
import re
import subprocess
import sys
import time
import wave

import numpy as np
import pywt

import quelmar

SEEDS = 10
SPREAD = 7.0
ORDERS = (10, 11, 12)
WORKERS = 2

# --- A: made signals -------------------------------------------------------

AT = np.array([.1, .13, .15, .23, .25, .40, .44, .65, .76, .78, .81])


def blocks(t):
    height = np.array([4, -5, 3, -4, 5, -4.2, 2.1, 4.3, -3.1, 2.1, -4.2])
    return np.sum(height[:, None] * (1 + np.sign(t[None, :] - AT[:, None])) / 2, axis=0)


def bumps(t):
    height = np.array([4, 5, 3, 4, 5, 4.2, 2.1, 4.3, 3.1, 5.1, 4.2])
    width = np.array([.005, .005, .006, .01, .01, .03, .01, .01, .005, .008, .005])
    return np.sum(height[:, None] * (1 + np.abs(t[None, :] - AT[:, None]) / width[:, None]) ** -4, axis=0)


def heavisine(t):
    return 4 * np.sin(4 * np.pi * t) - np.sign(t - .3) - np.sign(.72 - t)


def doppler(t):
    return np.sqrt(t * (1 - t)) * np.sin(2 * np.pi * 1.05 / (t + .05))


MADE = [("Blocks", blocks), ("Bumps", bumps), ("HeaviSine", heavisine), ("Doppler", doppler)]

OUR_WAVELETS = ("linear", "haar", "cubic")
OUR_RULES = (("universal", "hard"), ("sure", "soft"), ("bayes", "soft"))
OUR_FIXED = [(w, r, s, k, wi) for w in OUR_WAVELETS for r, s in OUR_RULES for k in (1, 16) for wi in (False, True)]
PYWT_WAVELETS = ("sym8", "db4", "coif3", "haar")
PYWT_SCRIPTS = [(w, spin, m) for w in PYWT_WAVELETS for spin in (False, True) for m in ("hard", "soft")]


def our_name(wavelet, rule, shrink, shifts, wiener):
    return f"ours-{wavelet}-{rule}-{shrink}-s{shifts}" + ("-wiener" if wiener else "")


def pywt_name(wavelet, spin, mode):
    return f"pywt-{wavelet}-{'spin16' if spin else 'dec'}-{mode}"


def made_clean(index, j):
    n = 2**j + 1
    x = MADE[index][1](np.arange(n) / (n - 1))
    return x * (SPREAD / x.std())


def pywt_denoise(y, wavelet, spin, mode, levels):
    n = len(y)

    def once(z):
        coeffs = pywt.wavedec(z, wavelet, mode="symmetric", level=levels)
        sigma = np.median(np.abs(coeffs[-1])) / 0.6745
        t = sigma * np.sqrt(2 * np.log(n))
        coeffs[1:] = [pywt.threshold(c, t, mode=mode) for c in coeffs[1:]]
        return pywt.waverec(coeffs, wavelet, mode="symmetric")[:n]

    if not spin:
        return once(y)
    return np.mean([np.roll(once(np.roll(y, s)), -s) for s in range(16)], axis=0)


def rmse(a, b):
    return float(np.sqrt(np.mean((np.asarray(a) - b) ** 2)))


def auto_text(report):
    wiener = report["wiener"]
    return f"{report['wavelet']}-{report['rule']}-{report['shrink']}" + (f"-wiener:{wiener}" if wiener else "")


def made_cell(task):
    index, j = task
    clean = made_clean(index, j)
    n = len(clean)
    levels = j - 5
    errors = collections.defaultdict(list)
    choices = collections.Counter()
    for k in range(SEEDS):
        y = clean + np.random.default_rng(1000 * j + 100 * index + k).standard_normal(n)
        errors["noisy"].append(rmse(y, clean))
        x, report = quelmar.denoise(y, levels)
        errors["auto"].append(rmse(x, clean))
        choices[auto_text(report)] += 1
        for wavelet, rule, shrink, shifts, wiener in OUR_FIXED:
            x, report = quelmar.denoise(y, levels, rule=rule, shrink=shrink, shifts=shifts, wavelet=wavelet,
                                        wiener=wiener)
            ran = (report["wavelet"], report["rule"], report["shrink"], report["wiener"])
            if ran != (wavelet, rule, shrink, wavelet if wiener else None):
                raise RuntimeError(f"asked {wavelet} {rule} {shrink} wiener={wiener}, ran {ran}")
            errors[our_name(wavelet, rule, shrink, shifts, wiener)].append(rmse(x, clean))
        for wavelet, spin, mode in PYWT_SCRIPTS:
            pl = min(levels, pywt.dwt_max_level(n, wavelet))
            errors[pywt_name(wavelet, spin, mode)].append(rmse(pywt_denoise(y, wavelet, spin, mode, pl), clean))
    return {key: float(np.mean(v)) for key, v in errors.items()}, choices


# --- B: real signals -------------------------------------------------------

REAL = ["ecg", "nino3", "sunspots", "Front_Center", "Rear_Left"]
FRACTIONS = (0.1, 0.3, 0.5)
SKIMAGE = [(m, s) for m in ("BayesShrink", "VisuShrink") for s in ("soft", "hard")]


def real_clean(name):
    if name == "ecg":
        return np.asarray(pywt.data.ecg(), float)
    if name == "nino3":
        z = np.load("/usr/lib/python3/dist-packages/pywt/data/sst_nino3.npz")
        return np.asarray(z["sst_csv"][:, 4], float)
    if name == "sunspots":
        import statsmodels.api as sm
        return np.asarray(sm.datasets.sunspots.load_pandas().data["SUNACTIVITY"], float)
    with wave.open(f"/usr/share/sounds/alsa/{name}.wav") as w:
        if w.getsampwidth() != 2:
            raise RuntimeError(f"{name}.wav: {8 * w.getsampwidth()}-bit samples, not 16")
        frames = np.frombuffer(w.readframes(w.getnframes()), dtype="<i2").astype(float)
        return frames.reshape(-1, w.getnchannels())[:, 0][: 2**15]


CHOICE = re.compile(r"--auto: (\w+), (\w+), (\w+), Wiener by (\w+): estimated risk (\S+)")


def batch_auto(program, folder, stem, y):
    source = os.path.join(folder, stem + "_noisy.csv")
    target = os.path.join(folder, stem + "_auto.csv")
    np.savetxt(source, y, fmt="%.17g")
    if os.path.exists(target):
        os.remove(target)
    run = subprocess.run([program, "--auto", source, target], capture_output=True, text=True)
    if run.returncode != 0:
        sys.stderr.write(f"denoise_quality.py: {program} --auto {source}: exit {run.returncode}\n{run.stderr}")
        return None, f"FAILED(exit {run.returncode})"
    # One number a line; the last column if it wrote several.
    with open(target) as f:
        lines = f.read().split()
    x = np.array([float(line.split(",")[-1]) for line in lines])
    if len(x) != len(y):
        raise RuntimeError(f"{target}: {len(x)} samples written back, {len(y)} given")
    return x, choice_text(run.stderr)


def choice_text(stderr):
    """The configuration --auto says it chose: the candidate of lowest estimated risk, or 'kept'."""
    if "the signal is kept" in stderr:
        return "kept"
    candidates = [(float(m.group(5)), m.group(1, 2, 3, 4)) for m in CHOICE.finditer(stderr)]
    if not candidates:
        return "?"
    w, r, s, wiener = min(candidates)[1]
    return f"{w}-{r}-{s}-wiener:{wiener}"


def real_cell(task):
    program, folder, index, fraction_index = task
    name = REAL[index]
    fraction = FRACTIONS[fraction_index]
    from skimage.restoration import denoise_wavelet
    clean = real_clean(name)
    sigma = fraction * clean.std()
    errors = collections.defaultdict(list)
    choices = collections.Counter()
    for k in range(SEEDS):
        rng = np.random.default_rng(50000 + 1000 * index + 100 * fraction_index + k)
        y = clean + sigma * rng.standard_normal(len(clean))
        errors["noisy"].append(rmse(y, clean))
        x, choice = batch_auto(program, folder, f"{name}_{fraction}_{k}", y)
        errors["auto"].append(rmse(x, clean) if x is not None else float("nan"))
        choices[choice] += 1
        for method, mode in SKIMAGE:
            x = denoise_wavelet(y, wavelet="sym8", method=method, mode=mode, rescale_sigma=True)
            errors[f"skimage-{method}-{mode}"].append(rmse(x, clean))
    return {key: float(np.mean(v)) for key, v in errors.items()}, choices, sigma


# --- tables ------------------------------------------------------------------

def choices_text(choices):
    return " ".join(f"{c}x{n}" for c, n in choices.most_common())


def made_tables(results, folder):
    cells = [(MADE[i][0], j) for j in ORDERS for i in range(len(MADE))]
    print("# A. Donoho-Johnstone signals, SD 7, unit noise, L = J - 5, "
          f"mean RMSE over {SEEDS} seeds")
    print("signal,J,auto,best_ours_fixed,best_ours_fixed_name,best_pywt,best_pywt_name,auto/best_pywt")
    for (name, j), (errors, _) in zip(cells, results):
        fixed = min((v, k) for k, v in errors.items() if k.startswith("ours-"))
        ref = min((v, k) for k, v in errors.items() if k.startswith("pywt-"))
        print(f"{name},{j},{errors['auto']:.4f},{fixed[0]:.4f},{fixed[1]},{ref[0]:.4f},{ref[1]},"
              f"{errors['auto'] / ref[0]:.3f}")
    print()
    keys = (["noisy", "auto"] + [our_name(*c) for c in OUR_FIXED] + [pywt_name(*c) for c in PYWT_SCRIPTS])
    header = "configuration," + ",".join(f"{name}/{j}" for name, j in cells)
    lines = [header] + [k + "," + ",".join(f"{errors[k]:.4f}" for errors, _ in results) for k in keys]
    print("# A. every configuration: mean RMSE per cell (signal/J)")
    print("\n".join(lines))
    print()
    print("# A. auto's choices over the seeds (wavelet-rule-shrink[-wiener:transform] x count)")
    print("signal,J,choices")
    for (name, j), (_, choices) in zip(cells, results):
        print(f"{name},{j},{choices_text(choices)}")
    print()
    with open(os.path.join(folder, "quality_made.csv"), "w") as out:
        out.write("\n".join(lines) + "\n")


def real_tables(tasks, results, folder):
    print("# B. real signals plus Gaussian noise of a fraction of their SD, the batch's --auto "
          f"against skimage sym8; mean RMSE in the signal's units over {SEEDS} seeds")
    print("signal,noise_fraction,noisy,auto,best_skimage,best_skimage_name,auto/best_skimage,auto<noisy")
    for (_, _, i, f), (errors, _, _) in zip(tasks, results):
        ref = min((v, k) for k, v in errors.items() if k.startswith("skimage-"))
        better = "n/a" if np.isnan(errors["auto"]) else "yes" if errors["auto"] < errors["noisy"] else "NO"
        print(f"{REAL[i]},{FRACTIONS[f]},{errors['noisy']:.4g},{errors['auto']:.4g},{ref[0]:.4g},{ref[1]},"
              f"{errors['auto'] / ref[0]:.3f},{better}")
    print()
    names = [f"skimage-{m}-{s}" for m, s in SKIMAGE]
    header = "signal,n,noise_fraction,noise_sigma,seeds,noisy,auto," + ",".join(names) + ",auto_choices"
    lines = [header]
    for (_, _, i, f), (errors, choices, sigma) in zip(tasks, results):
        lines.append(f"{REAL[i]},{len(real_clean(REAL[i]))},{FRACTIONS[f]},{sigma:.4g},{SEEDS},"
                     f"{errors['noisy']:.4g},{errors['auto']:.4g}," + ",".join(f"{errors[k]:.4g}" for k in names)
                     + f",{choices_text(choices)}")
    print("# B. every method: mean RMSE per cell, and the batch's --auto choices over the seeds")
    print("\n".join(lines))
    with open(os.path.join(folder, "quality_real.csv"), "w") as out:
        out.write("\n".join(lines) + "\n")


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    program = os.path.abspath(sys.argv[1])
    folder = sys.argv[2] if len(sys.argv) > 2 else "denoise_quality"
    os.makedirs(folder, exist_ok=True)
    start = time.perf_counter()
    made = [(i, j) for j in ORDERS for i in range(len(MADE))]
    real = [(program, folder, i, f) for i in range(len(REAL)) for f in range(len(FRACTIONS))]
    # The dearest cells first, so that the two workers finish together.
    cost = {"Front_Center": 1000, "Rear_Left": 1000}
    order = sorted(range(len(real)), key=lambda t: -cost.get(REAL[real[t][2]], 1))
    with multiprocessing.Pool(WORKERS) as pool:
        real_pending = pool.map_async(real_cell, [real[t] for t in order], chunksize=1)
        made_results = pool.map(made_cell, sorted(made, key=lambda c: -c[1]), chunksize=1)
        real_ordered = real_pending.get()
    by_cell = dict(zip(sorted(made, key=lambda c: -c[1]), made_results))
    made_tables([by_cell[c] for c in made], folder)
    real_results = [None] * len(real)
    for t, result in zip(order, real_ordered):
        real_results[t] = result
    real_tables(real, real_results, folder)
    print(f"\n# {time.perf_counter() - start:.0f} s with {WORKERS} workers", flush=True)
    if any(np.isnan(errors["auto"]) for errors, _, _ in real_results):
        sys.exit("denoise_quality.py: some batch runs failed (their cells show nan)")


if __name__ == "__main__":
    main()
