// The transform and the views into a decomposition.

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <optional>
#include <string>

#include "analysis/transform/DyadicSignal.h"
#include "analysis/transform/LevelGeometry.h"
#include "analysis/transform/WaveletTransform.h"
#include "python/ArrayArguments.h"
#include "python/ModuleParts.h"

namespace python {
namespace {

using Transform = double (*)(analysis::Wavelet, double*, int32_t, int32_t, double);

// The transform of the signal `source` (all finite) on a copy, or in `out`
// (which may be the signal itself).
py::array Apply(Transform transform, const std::string& waveletName, const SignalArray& source, int32_t levels,
                const py::handle& out) {
    const analysis::Wavelet wavelet = WaveletOf(waveletName);
    SignalArray target;
    if (out.is_none()) {
        target = CopiedSignal(source.array, "x");
    } else {
        target = SignalInPlace(out, "out", true);
        if (source.j != target.j) {
            throw py::value_error("out has " + std::to_string(target.array.shape(0)) + " samples and x " +
                                  std::to_string(source.array.shape(0)));
        }
        // Every refusal comes before out is written.
        CheckLevels(levels, target.j);
        CopyInto(source, target.Data());
    }
    CheckLevels(levels, target.j);
    double* data = target.Data();
    const int32_t j = target.j;
    {
        py::gil_scoped_release unlocked;
        transform(wavelet, data, j, levels, -1);
    }
    return target.array;
}

// The values of one level, as NumPy's own slice of c: a view that keeps c
// alive and is writeable exactly when c is.
py::array View(const SignalArray& c, const analysis::LevelGeometry& level) {
    const auto first = static_cast<py::ssize_t>(level.first);
    const auto stride = static_cast<py::ssize_t>(level.stride);
    return c.array[py::slice(first, first + stride * level.count, stride)].cast<py::array>();
}

}  // namespace

void AddTransformFunctions(py::module_& module) {
    module.def(
        "forward",
        [](const ArrayLike& x, int32_t levels, const std::optional<py::array>& out, const std::string& wavelet,
           const std::string& extend) {
            return Apply(&analysis::ForwardTransform, wavelet, SignalOnGrid(x.value, "x", extend), levels,
                         out ? py::handle(*out) : py::handle(py::none()));
        },
        py::arg("x"), py::arg("levels"), py::kw_only(), py::arg("out") = py::none(), py::arg("wavelet") = "linear",
        py::arg("extend") = "reflect",
        R"(Decompose a signal with an interpolating lifting transform.

Parameters
----------
x : array_like
    The n >= 2 samples, all finite, as float64 (a float64 array is not
    copied). Unless n is 2**J + 1 (2 <= J <= 26) they are extended to the
    grid ``grid_size(n)`` as an import extends them.
levels : int
    How many levels to decompose, 1 ... J.
out : numpy.ndarray of float64, optional
    A C-contiguous, writeable array of the grid's length to hold the result;
    it may be ``x`` itself. By default a new array is returned.
wavelet : {'linear', 'haar', 'cubic'}
    The transform: the 5/3 pair (the window's default), a Haar step for
    piecewise-constant signals, or a 4-point predictor for smooth ones.
extend : {'reflect', 'repeat', 'zero'}
    How samples past the signal's end are made up: mirrored (no step at the
    end), the last one repeated, or zeros.

Returns
-------
numpy.ndarray
    The 2**J + 1 coefficients in place of the samples: level k's details at the odd
    multiples of 2**(k - 1), the approximation at the multiples of 2**levels.
    ``level`` and ``approximation`` view them.

Raises
------
TypeError
    ``x`` does not hold real numbers.
ValueError
    A wrong shape or length, a sample that is not finite (named by its
    index), or levels out of range.
OverflowError
    A coefficient would be infinite; nothing is changed.
)");
    module.def(
        "inverse",
        [](const ArrayLike& c, int32_t levels, const std::optional<py::array>& out, const std::string& wavelet) {
            const SignalArray source = Signal(c.value, "c");
            RequireFinite(source, "c");
            return Apply(&analysis::InverseTransform, wavelet, source, levels,
                         out ? py::handle(*out) : py::handle(py::none()));
        },
        py::arg("c"), py::arg("levels"), py::kw_only(), py::arg("out") = py::none(), py::arg("wavelet") = "linear",
        R"(Rebuild a signal from its decomposition: undo ``forward(x, levels)``.

Parameters
----------
c : array_like
    The 2**J + 1 coefficients of a decomposition over ``levels`` levels.
levels : int
    The levels the decomposition has, 1 ... J.
out : numpy.ndarray of float64, optional
    As for ``forward``; it may be ``c`` itself.
wavelet : {'linear', 'haar', 'cubic'}
    The transform ``c`` was made with.

Returns
-------
numpy.ndarray
    The samples, bit for bit those of the window's Reconstruct.
)");
    module.def(
        "level",
        [](const ArrayLike& c, int32_t k) {
            const SignalArray signal = SignalInPlace(c.value, "c", false);
            CheckLevels(k, signal.j, "k");
            return View(signal, analysis::LevelGeometry::Details(signal.j, k));
        },
        py::arg("c"), py::arg("k"),
        R"(The details of level k of a decomposition, as a view into ``c``.

Parameters
----------
c : numpy.ndarray of float64
    A C-contiguous decomposition of 2**J + 1 values.
k : int
    The level, 1 ... J.

Returns
-------
numpy.ndarray
    The 2**(J - k) details, no copy: writing to it changes ``c``.
)");
    module.def(
        "approximation",
        [](const ArrayLike& c, int32_t levels) {
            const SignalArray signal = SignalInPlace(c.value, "c", false);
            CheckLevels(levels, signal.j);
            return View(signal, analysis::LevelGeometry::Approximation(signal.j, levels));
        },
        py::arg("c"), py::arg("levels"),
        R"(The approximation left after ``levels`` levels, as a view into ``c``.

Parameters
----------
c : numpy.ndarray of float64
    A C-contiguous decomposition of 2**J + 1 values.
levels : int
    The levels of the decomposition, 1 ... J.

Returns
-------
numpy.ndarray
    The 2**(J - levels) + 1 approximation values, no copy.
)");
    module.def(
        "grid_size", [](int32_t n) { return analysis::NormaliseCount(n).N; }, py::arg("n"),
        R"(The length a signal of n samples is loaded as: the smallest 2**J + 1 >= n, at least 5.

Raises
------
ValueError
    n needs a grid beyond 2**26 + 1 samples.
)");
}

}  // namespace python
