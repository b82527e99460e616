#pragma once
// The checks every function of the module makes on its arguments, with the
// messages a NumPy user expects: any array-like of real numbers is taken as
// float64 (without a copy when it is float64), what is written in place must
// be a float64 ndarray; TypeError for what is neither, ValueError for a wrong
// shape, length, level or layout.

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <cstdint>
#include <string>

#include "analysis/transform/Wavelet.h"

namespace python {

namespace py = pybind11;

// An argument that takes any array-like; signatures name it as NumPy's
// typing does.
struct ArrayLike {
    py::object value;
};

// A float64 array of one dimension, 2^J + 1 long (2 <= J <= 26), of which
// the first n are the signal (the rest an extension to the grid).
struct SignalArray {
    py::array array;
    int32_t j = 0;
    py::ssize_t n = 0;
    double* Data() { return static_cast<double*>(array.mutable_data()); }
    const double* ConstData() const { return static_cast<const double*>(array.data()); }
};

// `value` as a signal: any array-like of the right length, as float64 (a
// float64 ndarray as it is: it may be strided). `name` is the argument's name.
SignalArray Signal(const py::handle& value, const char* name);

// A signal of any length n >= 2, all finite, on its grid: as Signal when n
// is 2^J + 1, else a fresh array extended as an import extends it by
// `extend` ('reflect', 'repeat' or 'zero').
SignalArray SignalOnGrid(const py::handle& value, const char* name, const std::string& extend);

// The same copied into a fresh contiguous array of its own.
SignalArray CopiedSignal(const py::handle& value, const char* name);

// As Signal, copied when it is not contiguous: for what only reads it whole.
SignalArray ReadableSignal(const py::handle& value, const char* name);

// Copies the signal's values into `to`, which holds as many; nothing to do
// when `to` is the signal's own contiguous buffer.
void CopyInto(const SignalArray& from, double* to);

// `value` as a signal worked on in place or viewed: it must also be
// C-contiguous (and writeable when `writeable`).
SignalArray SignalInPlace(const py::handle& value, const char* name, bool writeable);

// Every value finite, else ValueError naming the first that is not
// ("x[17] is not a finite number"), before anything is written.
void RequireFinite(const SignalArray& signal, const char* name);

// levels in 1 ... j, else ValueError naming the argument.
void CheckLevels(int32_t levels, int32_t j, const char* name = "levels");

// The transform named by a `wavelet` argument, else ValueError.
analysis::Wavelet WaveletOf(const std::string& name);

// The values of a one-dimensional array-like of numbers, as float64.
std::vector<double> ValuesOf(const py::handle& value, const char* name);

}  // namespace python

namespace pybind11::detail {

template <>
struct type_caster<python::ArrayLike> {
    PYBIND11_TYPE_CASTER(python::ArrayLike, const_name("numpy.typing.ArrayLike"));
    bool load(handle source, bool) {
        value.value = reinterpret_borrow<object>(source);
        return true;
    }
    static handle cast(const python::ArrayLike& array, return_value_policy, handle) { return array.value.inc_ref(); }
};

}  // namespace pybind11::detail
