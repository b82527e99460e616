"""The quelmar module against the batch command and the tool's own rules."""

import json
import os
import pathlib
import subprocess
import tempfile
import unittest
import warnings

import numpy as np

import quelmar

BATCH = os.environ["QUELMAR_BATCH"]
SAMPLES = pathlib.Path(os.environ["QUELMAR_SAMPLES"])
BUNDLED = sorted(SAMPLES.glob("*.dat"))
IMPORT_FILES = pathlib.Path(__file__).resolve().parent.parent / "import" / "files"


def batch(*arguments):
    subprocess.run([BATCH, *map(str, arguments)], check=True, capture_output=True)


def numbers(path):
    """A file of numbers as Python reads it: correctly rounded, so bit for bit."""
    return np.loadtxt(path, dtype=np.float64, ndmin=1)


def read_only(array):
    array.flags.writeable = False
    return array


def same_bits(a, b):
    a, b = np.asarray(a), np.asarray(b)
    return a.shape == b.shape and np.array_equal(a.view(np.uint64), b.view(np.uint64))


class AgainstTheBatch(unittest.TestCase):
    """Every result equals the batch command's on the bundled samples and made signals."""

    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.path = pathlib.Path(self.folder.name)
        random = np.random.default_rng(26)
        made = np.sin(np.linspace(0, 40, 4097)) + random.normal(0, 0.3, 4097)
        quelmar.write_samples(self.path / "made.dat", made)
        self.inputs = BUNDLED + [self.path / "made.dat"]

    def tearDown(self):
        self.folder.cleanup()

    def test_levels_views_and_rebuild_are_the_batchs(self):
        for source, wavelet in zip(self.inputs, ["linear", "haar", "cubic"] * len(self.inputs)):
            x = quelmar.read_samples(source)
            levels = 3
            coefficients = self.path / "c"
            batch("--levels", levels, "--wavelet", wavelet, source, self.path / "out.dat", "--coefficients", coefficients)
            c = quelmar.forward(x, levels, wavelet=wavelet)
            for k in range(1, levels + 1):
                self.assertTrue(same_bits(quelmar.level(c, k), numbers(coefficients / f"level_{k}.dat")))
            approximation = numbers(coefficients / "approximation.dat")
            self.assertTrue(same_bits(quelmar.approximation(c, levels), approximation))
            self.assertTrue(same_bits(quelmar.inverse(c, levels, wavelet=wavelet), numbers(self.path / "out.dat")))

    def test_denoise_and_its_report_are_the_batchs(self):
        for source in self.inputs:
            x = quelmar.read_samples(source)
            batch("--auto", source, self.path / "out.dat")
            signal, report = quelmar.denoise(x)
            self.assertTrue(same_bits(signal, numbers(self.path / "out.dat")), source)
            self.assertIn(report["wavelet"], ("linear", "haar", "cubic"))
            for rule, shrink, shifts, wavelet, wiener in [("universal", "hard", 16, "linear", False),
                                                          ("sure", "soft", 1, "cubic", False),
                                                          ("bayes", "hard", 3, "haar", True)]:
                report = self.path / "report.csv"
                batch("--rule", rule, "--shrink", shrink, "--shifts", shifts, "--wavelet", wavelet,
                      *(["--wiener"] if wiener else []), "--report", report, source, self.path / "out.dat")
                signal, levels = quelmar.denoise(x, rule=rule, shrink=shrink, shifts=shifts, wavelet=wavelet,
                                                 wiener=wiener)
                self.assertTrue(same_bits(signal, numbers(self.path / "out.dat")), (source, rule))
                rows = np.genfromtxt(report, delimiter=",", skip_header=1, usecols=(1, 2, 3, 4, 5, 6, 7))
                for column, name in enumerate(["level", "sigma", "threshold", "zeroed", "total", "energy_kept", "risk"]):
                    self.assertTrue(np.array_equal(rows[:, column], levels[name]), name)
                depth = len(levels["level"])
                c = quelmar.forward(x, depth, wavelet=wavelet)
                self.assertTrue(same_bits(quelmar.estimate_noise(c, depth, wavelet=wavelet), levels["sigma"]))
                thresholds = quelmar.thresholds(c, depth, rule=rule, wavelet=wavelet)
                self.assertTrue(same_bits(thresholds, levels["threshold"]))
                if shifts == 1:
                    shrunk = quelmar.shrink(c, depth, list(thresholds), mode=shrink)
                    rebuilt = quelmar.inverse(shrunk, depth, wavelet=wavelet)
                    self.assertTrue(same_bits(rebuilt, signal), (source, rule))

    def test_a_batch_recipe_replays_to_the_batchs_bits(self):
        source, out, recipe = self.path / "made.dat", self.path / "out.dat", self.path / "r.json"
        for options in [["--levels", 4, "--threshold", "2=0.5"], ["--rule", "sure", "--shifts", 3],
                        ["--rule", "bayes", "--shrink", "soft", "--shifts", 1],
                        ["--rule", "sure", "--wavelet", "cubic", "--wiener", "--shifts", 2]]:
            batch(*options, "--coefficients", self.path / "c", "--save-recipe", recipe, source, out)
            signal, outputs = quelmar.replay(recipe)
            self.assertTrue(same_bits(signal, numbers(out)), options)
            self.assertEqual({o["kind"] for o in outputs}, {"buffer", "result", "coefficients"})
            self.assertTrue(all(o["matches"] for o in outputs), outputs)
        # A recipe whose input has other bytes replays only on an input given.
        other = self.path / "other.dat"
        quelmar.write_samples(other, quelmar.read_samples(source)[::-1].copy())
        edited = json.loads(recipe.read_text())
        edited["input"]["file"] = str(other)
        recipe.write_text(json.dumps(edited))
        with self.assertRaisesRegex(ValueError, "input differs"):
            quelmar.replay(recipe)
        self.assertFalse(all(o["matches"] for o in quelmar.replay(recipe, input=other)[1]))
        self.assertTrue(all(o["matches"] for o in quelmar.replay(recipe, input=source)[1]))
        bad = json.loads(recipe.read_text())
        bad["steps"][0]["levels"] = 99
        recipe.write_text(json.dumps(bad))
        with self.assertRaisesRegex(ValueError, r"^steps\[0\]\.levels: 99 is not from 1 to 12"):
            quelmar.replay(recipe, input=source)
        with self.assertRaises(OSError):
            quelmar.replay(self.path / "missing.json")
        # Over a list, each input's replay is a batch run of the recipe's options on it alone.
        batch("--auto", "--levels", 6, "--save-recipe", recipe, BUNDLED[0], out)
        for file, (signal, _) in zip(BUNDLED, quelmar.replay(recipe, input=BUNDLED)):
            batch("--auto", "--levels", 6, file, out)
            self.assertTrue(same_bits(signal[:len(numbers(out))], numbers(out)), file)
        # An import's recipe imports the file again: the result is its 12 samples, the buffer the grid's 17.
        batch("--column", "time", "--extend", "zero", "--levels", 2, "--threshold", "1=0.5", "--save-recipe", recipe,
              IMPORT_FILES / "header_two_columns.csv", out)
        signal, outputs = quelmar.replay(recipe)
        self.assertEqual(len(signal), 17)
        self.assertTrue(same_bits(signal[:12], numbers(out)))
        self.assertTrue(all(o["matches"] for o in outputs), outputs)

    def test_files_round_trip_and_warn_in_the_windows_words(self):
        x = quelmar.read_samples(BUNDLED[0])
        out = self.path / "saved.dat"
        quelmar.write_samples(out, x)
        self.assertTrue(same_bits(quelmar.read_samples(str(out)), x))
        with self.assertWarnsRegex(UserWarning, r"ends after 257 numbers\. 257 of 513 samples were read"):
            padded = quelmar.read_samples(BUNDLED[0], 300)
        self.assertTrue(same_bits(padded[:257], x) and not padded[257:].any())
        with self.assertRaisesRegex(OSError, "No such file or directory"):
            quelmar.write_samples(self.path / "gone" / "x.dat", x)
        with self.assertRaisesRegex(OSError, "is not a regular file"):
            quelmar.read_samples(self.path)
        words = self.path / "words.dat"
        words.write_text("time value\n")
        with self.assertRaisesRegex(ValueError, "holds no samples"):
            quelmar.read_samples(words)

    def test_a_fifo_is_written_where_it_stands(self):
        x, fifo = quelmar.read_samples(BUNDLED[0]), self.path / "fifo"
        os.mkfifo(fifo)
        reader = subprocess.Popen(["timeout", "60", "cat", fifo], stdout=subprocess.PIPE)
        quelmar.write_samples(fifo, x)
        self.assertTrue(fifo.is_fifo() and same_bits(np.array(reader.communicate()[0].split(), float), x))


class Import(unittest.TestCase):
    """import_signal reads what NumPy and Python's csv module read, bit for bit."""

    def test_many_parts_are_the_columns_of_one_array(self):
        for name, many, single in (("stereo.wav", {"channel": "all"}, "channel"),
                                   ("header_two_columns.csv", {"column": "2,1"}, "column")):
            x, info = quelmar.import_signal(IMPORT_FILES / name, **many)
            parts = [1, 2] if single == "channel" else [2, 1]
            self.assertEqual(x.shape[1], len(parts), name)
            for index, part in enumerate(parts):
                alone, _ = quelmar.import_signal(IMPORT_FILES / name, **{single: part})
                self.assertTrue(same_bits(x[:, index], alone), (name, part))
            self.assertEqual(len(info["part"]), len(parts))
        with self.assertRaisesRegex(ValueError, 'numbers from 1 separated by commas, not "2,x"'):
            quelmar.import_signal(IMPORT_FILES / "header_two_columns.csv", column="2,x")
        # Denoised a column at a time, they are the batch's table of every channel.
        x, _ = quelmar.import_signal(IMPORT_FILES / "stereo.wav", channel="all", extend=None)
        with tempfile.TemporaryDirectory() as folder:
            table = pathlib.Path(folder) / "t.csv"
            batch("--channel", "all", "--rule", "sure", IMPORT_FILES / "stereo.wav", table)
            signals, reports = quelmar.denoise(x, rule="sure", shifts=1)
            self.assertTrue(same_bits(signals, np.loadtxt(table, delimiter=",", skiprows=1, ndmin=2)))
            self.assertEqual([r["rule"] for r in reports], ["sure", "sure"])

    def test_values_are_numpys(self):
        cases = [
            ("f8_le.npy", {}, np.load(IMPORT_FILES / "f8_le.npy")),
            ("i2_be.npy", {}, np.load(IMPORT_FILES / "i2_be.npy").astype(np.float64)),
            ("table_fortran.npy", {"column": 2}, np.load(IMPORT_FILES / "table_fortran.npy")[:, 1].astype(np.float64)),
            ("header_two_columns.csv", {"column": "value"},
             np.loadtxt(IMPORT_FILES / "header_two_columns.csv", delimiter=",", skiprows=1, usecols=1)),
        ]
        for name, choices, expected in cases:
            x, info = quelmar.import_signal(IMPORT_FILES / name, extend=None, **choices)
            self.assertTrue(same_bits(x, expected), name)
            grid, _ = quelmar.import_signal(IMPORT_FILES / name, **choices)
            n = info["n"]
            self.assertEqual((n, len(grid)), (len(expected), quelmar.grid_size(n)))
            # Reflected at the last sample: no step where the signal ends.
            self.assertTrue(same_bits(grid[:n], expected))
            tail = min(len(grid) - n, n - 1)
            self.assertTrue(same_bits(grid[n:n + tail], expected[::-1][1:1 + tail]), name)

    def test_gaps_axis_and_wide_tables(self):
        with tempfile.TemporaryDirectory() as folder:
            folder = pathlib.Path(folder)
            (folder / "gaps.csv").write_text("t,v\n0,\n1,2\n2,nan\n3,\n4,8\n5,NA\n")
            x, info = quelmar.import_signal(folder / "gaps.csv", gaps="fill", extend=None)
            np.testing.assert_allclose(x, np.interp(np.arange(6), [1, 4], [2, 8]))
            self.assertEqual(info["gaps"], 4)
            wide = np.arange(24.0).reshape(3, 8)
            np.save(folder / "wide.npy", wide)
            x, _ = quelmar.import_signal(folder / "wide.npy", axis="columns", column=2, extend=None)
            self.assertTrue(same_bits(x, wide[:, 1]))
            np.savetxt(folder / "wide.csv", np.column_stack([np.arange(3), wide]), delimiter=",")
            x, _ = quelmar.import_signal(folder / "wide.csv", rows_as_series=True, extend=None)
            self.assertTrue(same_bits(x, wide.ravel()))

    def test_a_failed_import_names_the_file(self):
        with self.assertRaisesRegex(ValueError, r'Cannot import ".*bad_number.csv"'):
            quelmar.import_signal(IMPORT_FILES / "bad_number.csv")
        with self.assertRaisesRegex(ValueError, "extend must be"):
            quelmar.import_signal(IMPORT_FILES / "f8_le.npy", extend="wrap")
        with self.assertRaisesRegex(ValueError, "gaps must be 'refuse', 'fill' or 'drop', not 'zero'"):
            quelmar.import_signal(IMPORT_FILES / "f8_le.npy", gaps="zero")
        with self.assertRaisesRegex(OSError, r'^Cannot open file ".*missing\.csv": No such file'):
            quelmar.import_signal(IMPORT_FILES / "missing.csv")


class Arguments(unittest.TestCase):
    """Views are views; every wrong argument is an exception with a clear message."""

    def test_level_and_approximation_are_views(self):
        c = quelmar.forward(np.linspace(0, 1, 33), 2)
        quelmar.level(c, 2)[0] = 7.0
        quelmar.approximation(c, 2)[1] = 8.0
        self.assertEqual((c[2], c[4]), (7.0, 8.0))
        out = np.zeros(33)
        self.assertIs(quelmar.inverse(c, 2, out=out), out)
        quelmar.forward(out, 2, out=out)
        self.assertTrue(same_bits(out, c))

    def test_any_array_like_of_any_length(self):
        rng = np.random.default_rng(5)
        x = rng.standard_normal(1025) * 100
        strided = np.zeros(2 * len(x))
        strided[::2] = x
        for given in (x.tolist(), strided[::2], x.astype(np.float32), x.astype(np.int16)):
            self.assertTrue(same_bits(quelmar.forward(given, 4), quelmar.forward(np.array(given, np.float64), 4)))
        self.assertRegex(quelmar.__version__, r"^\d+\.\d+\.\d+$")
        # Any length is extended as an import extends a table: the batch on
        # the same numbers as a CSV gives the same n samples.
        with tempfile.TemporaryDirectory() as folder:
            for n in (2, 3, 800, 1024, 2**20 + 7):
                x = rng.standard_normal(n)
                table, out = pathlib.Path(folder, "x.csv"), pathlib.Path(folder, "out.dat")
                np.savetxt(table, x, fmt="%.17g")
                batch(table, out, "--rule", "universal", "--shifts", 1)
                y, _ = quelmar.denoise(x, rule="universal", shifts=1)
                self.assertTrue(same_bits(y, numbers(out)), n)

    def test_wrong_arguments(self):
        good = np.zeros(9)
        cases = [
            (TypeError, "real numbers, not <U1", lambda: quelmar.forward(["a"] * 9, 1)),
            (TypeError, "c must be a numpy.ndarray of float64, not list", lambda: quelmar.level([0.0] * 9, 1)),
            (ValueError, r"shape \(3, 3\)", lambda: quelmar.forward(good.reshape(3, 3), 1)),
            (ValueError, r"10 samples, not 2\*\*J \+ 1", lambda: quelmar.inverse(np.zeros(10), 1)),
            (ValueError, "1 samples, not at least 2", lambda: quelmar.denoise([1.0])),
            (ValueError, r"^x\[2\] is not a finite number", lambda: quelmar.denoise([1.0, 2.0, np.nan, 4.0])),
            (ValueError, "extend must be", lambda: quelmar.forward([1.0, 2.0], 1, extend="wrap")),
            (ValueError, "contiguous", lambda: quelmar.level(np.zeros(18)[::2], 1)),
            (ValueError, "contiguous", lambda: quelmar.forward(good, 1, out=np.zeros(18)[::2])),
            (ValueError, "read-only", lambda: quelmar.forward(good, 1, out=read_only(np.zeros(9)))),
            (ValueError, "levels must be from 1 to 3", lambda: quelmar.forward(good, 4)),
            (ValueError, "k must be from 1 to 3", lambda: quelmar.level(good, 0)),
            (ValueError, "rule must be", lambda: quelmar.denoise(good, rule="minimax")),
            (ValueError, "shrink must be", lambda: quelmar.denoise(good, shrink="medium")),
            (ValueError, "shifts must be from 1 to 256", lambda: quelmar.denoise(good, shifts=0)),
            (ValueError, "only then", lambda: quelmar.denoise(good, threshold=1.0)),
            (ValueError, r"x\[0\] is not a finite number", lambda: quelmar.forward(np.full(9, np.nan), 1)),
            (ValueError, "finite number", lambda: quelmar.shrink(good, 2, [1.0, np.nan])),
            (ValueError, "finite number", lambda: quelmar.denoise(good, rule="fixed", threshold=np.inf)),
            (OverflowError, "overflow", lambda: quelmar.forward(np.array([1e308, -1e308] * 4 + [1e308]), 3)),
            (ValueError, "J must be from 2 to 26", lambda: quelmar.noise_gains(27, 1)),
            (ValueError, "one value per level", lambda: quelmar.shrink(good, 2, [1.0])),
        ]
        for error, message, call in cases:
            with self.assertRaisesRegex(error, message):
                call()
        # A refused call leaves out as it was.
        out = np.full(9, 5.0)
        for call in (lambda: quelmar.forward(good, 4, out=out), lambda: quelmar.shrink(good, 2, [1, np.nan], out=out),
                     lambda: quelmar.shrink(good, 2, [-1.0, 1.0], mode="soft", out=out)):
            with self.assertRaises(ValueError):
                call()
        self.assertTrue((out == 5.0).all())
        self.assertEqual([quelmar.grid_size(n) for n in (1, 5, 6, 1025, 1026)], [5, 5, 9, 1025, 2049])


if __name__ == "__main__":
    warnings.simplefilter("default")
    unittest.main()
