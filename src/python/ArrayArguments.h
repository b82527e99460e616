#pragma once
// The checks every function of the module makes on its arguments, with the
// messages a NumPy user expects: TypeError for what is not a float64 array,
// ValueError for a wrong shape, length, level or layout.

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <cstdint>
#include <string>

#include "analysis/transform/Wavelet.h"

namespace python {

namespace py = pybind11;

// A float64 array of one dimension, 2^J + 1 long (2 <= J <= 26).
struct SignalArray {
    py::array array;
    int32_t j = 0;
    double* Data() { return static_cast<double*>(array.mutable_data()); }
    const double* ConstData() const { return static_cast<const double*>(array.data()); }
};

// `value` as a signal: any float64 ndarray of the right length, as it is
// (it may be strided). `name` is the argument's name.
SignalArray Signal(const py::handle& value, const char* name);

// The same copied into a fresh contiguous array of its own.
SignalArray CopiedSignal(const py::handle& value, const char* name);

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

// The values of a one-dimensional float64 array.
std::vector<double> ValuesOf(const py::handle& value, const char* name);

}  // namespace python
