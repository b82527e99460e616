#include "python/ArrayArguments.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <vector>

#include "analysis/transform/DyadicSignal.h"
#include "analysis/transform/LevelGeometry.h"
#include "import/GridExtension.h"

namespace python {
namespace {

std::string ShapeText(const py::array& array) {
    std::string text = "(";
    for (py::ssize_t axis = 0; axis < array.ndim(); ++axis) {
        text += (axis ? ", " : "") + std::to_string(array.shape(axis));
    }
    return text + (array.ndim() == 1 ? ",)" : ")");
}

py::array OneDimensional(py::array array, const char* name) {
    if (array.ndim() != 1) {
        throw py::value_error(std::string(name) + " must be one-dimensional, not of shape " + ShapeText(array));
    }
    return array;
}

// A float64 ndarray of one dimension, or TypeError / ValueError: what is
// written in place must be the caller's own array.
py::array OneDimensionalDoubles(const py::handle& value, const char* name) {
    if (!py::isinstance<py::array>(value)) {
        throw py::type_error(std::string(name) + " must be a numpy.ndarray of float64, not " +
                             std::string(py::str(value.get_type().attr("__name__"))));
    }
    const auto array = py::reinterpret_borrow<py::array>(value);
    if (!array.dtype().is(py::dtype::of<double>())) {
        throw py::type_error(std::string(name) + " must be an array of float64, not " +
                             std::string(py::str(array.dtype())) + "; convert it with " + name +
                             ".astype(numpy.float64)");
    }
    return OneDimensional(array, name);
}

// Any array-like of numbers as float64 of one dimension: a float64 ndarray
// as it is (strided or not), anything else converted as NumPy converts it.
py::array AsDoubles(const py::handle& value, const char* name) {
    const py::array array = py::isinstance<py::array>(value) ? py::reinterpret_borrow<py::array>(value)
                                                             : py::module_::import("numpy").attr("asarray")(value);
    const char kind = array.dtype().kind();
    if (kind != 'f' && kind != 'i' && kind != 'u' && kind != 'b') {
        throw py::type_error(std::string(name) + " must hold real numbers, not " + std::string(py::str(array.dtype())));
    }
    if (array.dtype().is(py::dtype::of<double>())) return OneDimensional(array, name);
    return OneDimensional(array.attr("astype")("float64"), name);
}

int32_t OrderOf(const py::array& array, const char* name) {
    const py::ssize_t n = array.shape(0);
    const auto m = static_cast<uint64_t>(n > 0 ? n - 1 : 0);
    const int32_t j = std::has_single_bit(m) ? std::countr_zero(m) : -1;
    if (j < 2 || j > analysis::kMaxOrder) {
        throw py::value_error(std::string(name) + " has " + std::to_string(n) +
                              " samples, not 2**J + 1 for J from 2 to " + std::to_string(analysis::kMaxOrder) +
                              "; grid_size(" + std::to_string(n) + ") gives the length to extend it to");
    }
    return j;
}

}  // namespace

SignalArray Signal(const py::handle& value, const char* name) {
    const py::array array = AsDoubles(value, name);
    return {array, OrderOf(array, name), array.shape(0)};
}

SignalArray SignalOnGrid(const py::handle& value, const char* name, const std::string& extend) {
    const std::optional<importer::Extension> extension = importer::ExtensionNamed(extend);
    if (!extension) throw py::value_error("extend must be 'reflect', 'repeat' or 'zero', not '" + extend + "'");
    const py::array array = AsDoubles(value, name);
    const py::ssize_t n = array.shape(0);
    if (n < 2) throw py::value_error(std::string(name) + " has " + std::to_string(n) + " samples, not at least 2");
    const SignalArray given{array, 0, n};
    RequireFinite(given, name);
    const analysis::SignalSize grid = importer::GridFor(n);
    if (grid.N == n) return {array, grid.J, n};
    // Extended as an import extends a signal of this length.
    importer::Samples samples(static_cast<std::size_t>(n));
    CopyInto(given, samples.data());
    const importer::Samples extended = importer::ExtendToGrid(samples, grid.N, *extension);
    py::array_t<double> onGrid(grid.N);
    std::copy(extended.begin(), extended.end(), onGrid.mutable_data());
    return {onGrid, grid.J, n};
}

void CopyInto(const SignalArray& from, double* to) {
    const py::ssize_t n = from.array.shape(0);
    const py::ssize_t stride = from.array.strides(0);
    const auto* source = static_cast<const char*>(from.array.data());
    if (stride == sizeof(double)) {
        if (source != reinterpret_cast<const char*>(to)) std::memmove(to, source, sizeof(double) * n);
        return;
    }
    // A strided source that overlaps the target is read whole first.
    const char* low = stride > 0 ? source : source + stride * (n - 1);
    const char* high = (stride > 0 ? source + stride * (n - 1) : source) + sizeof(double);
    const bool overlaps = low < reinterpret_cast<const char*>(to + n) && reinterpret_cast<const char*>(to) < high;
    std::vector<double> staged(overlaps ? static_cast<std::size_t>(n) : 0);
    double* first = overlaps ? staged.data() : to;
    for (py::ssize_t i = 0; i < n; ++i) std::memcpy(first + i, source + i * stride, sizeof(double));
    if (overlaps) std::memcpy(to, first, sizeof(double) * n);
}

void RequireFinite(const SignalArray& signal, const char* name) {
    const auto* at = static_cast<const char*>(signal.array.data());
    for (py::ssize_t i = 0; i < signal.array.shape(0); ++i, at += signal.array.strides(0)) {
        double value = 0;
        std::memcpy(&value, at, sizeof value);
        if (!std::isfinite(value)) {
            throw py::value_error(std::string(name) + "[" + std::to_string(i) + "] is not a finite number");
        }
    }
}

SignalArray CopiedSignal(const py::handle& value, const char* name) {
    const SignalArray source = Signal(value, name);
    // A copy in C order whatever the source's strides: the transform works on
    // its own array.
    py::array_t<double> copy(source.array.shape(0));
    CopyInto(source, copy.mutable_data());
    return {copy, source.j, source.n};
}

SignalArray ReadableSignal(const py::handle& value, const char* name) {
    const SignalArray signal = Signal(value, name);
    return signal.array.flags() & py::array::c_style ? signal : CopiedSignal(signal.array, name);
}

SignalArray SignalInPlace(const py::handle& value, const char* name, bool writeable) {
    const py::array array = OneDimensionalDoubles(value, name);
    const int32_t j = OrderOf(array, name);
    if (!(array.flags() & py::array::c_style)) {
        throw py::value_error(std::string(name) + " must be contiguous; numpy.ascontiguousarray(" + name +
                              ") gives a contiguous copy");
    }
    if (writeable && !array.writeable()) throw py::value_error(std::string(name) + " is read-only");
    return {array, j, array.shape(0)};
}

void CheckLevels(int32_t levels, int32_t j, const char* name) {
    if (levels < 1 || levels > j) {
        throw py::value_error(std::string(name) + " must be from 1 to " + std::to_string(j) + " for 2**" +
                              std::to_string(j) + " + 1 samples, not " + std::to_string(levels));
    }
}

analysis::Wavelet WaveletOf(const std::string& name) {
    const std::optional<analysis::Wavelet> wavelet = analysis::WaveletNamed(name);
    if (!wavelet) throw py::value_error("wavelet must be 'linear', 'haar' or 'cubic', not '" + name + "'");
    return *wavelet;
}

std::vector<double> ValuesOf(const py::handle& value, const char* name) {
    const py::array array = AsDoubles(value, name);
    std::vector<double> values(static_cast<std::size_t>(array.shape(0)));
    const char* source = static_cast<const char*>(array.data());
    for (std::size_t i = 0; i < values.size(); ++i) {
        std::memcpy(&values[i], source + static_cast<py::ssize_t>(i) * array.strides(0), sizeof(double));
    }
    return values;
}

}  // namespace python
