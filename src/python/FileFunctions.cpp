// Sample files: read as the window loads them, written as it saves them.

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>
#include <pybind11/stl/filesystem.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <vector>
#include <string>

#include "analysis/transform/DyadicSignal.h"
#include "analysis/io/ReadWarning.h"
#include "analysis/io/SampleReader.h"
#include "analysis/io/SampleWriter.h"
#include "python/ArrayArguments.h"
#include "python/ModuleParts.h"

namespace python {
namespace {

py::array ReadSamples(const std::filesystem::path& file, std::optional<int32_t> count) {
    const std::string path = file.string();
    if (!count) {
        const analysis::ReadResult counted = analysis::CountSamples(path, analysis::kMaxSamples + 1);
        analysis::ThrowIfReadFailed(path, counted);
        if (counted.stored > analysis::kMaxSamples) {
            throw py::value_error("The file \"" + path + "\" holds more than " + std::to_string(analysis::kMaxSamples) +
                                  " samples, the most a signal may have");
        }
        count = counted.stored;
    }
    const int32_t n = analysis::NormaliseCount(*count).N;
    // The samples the file does not give are 0, as in the window.
    py::array_t<double> x(n);
    std::fill(x.mutable_data(), x.mutable_data() + n, 0.0);
    analysis::ReadResult read;
    {
        double* data = x.mutable_data();
        py::gil_scoped_release unlocked;
        read = analysis::ReadSamples(path, data, n);
    }
    analysis::ThrowIfReadFailed(path, read);
    const std::string warning = analysis::DescribeIncompleteRead(path, read, n);
    // A filter that turns the warning into an error raises it.
    if (!warning.empty() && PyErr_WarnEx(PyExc_UserWarning, warning.c_str(), 1) != 0) throw py::error_already_set();
    return x;
}

}  // namespace

void AddFileFunctions(py::module_& module) {
    module.def("read_samples", &ReadSamples, py::arg("path"), py::arg("count") = py::none(),
               R"(Read a sample file as the window's Load Data does.

Parameters
----------
path : str or os.PathLike
    A text file of numbers separated by blanks.
count : int, optional
    The count typed in the window: the grid is the smallest 2**J + 1 >= count
    (at least 5). By default the file's own count of numbers.

Returns
-------
numpy.ndarray
    The 2**J + 1 samples; those the file does not give are 0.

Warns
-----
UserWarning
    The file gave fewer numbers than the grid holds, with where and why it stopped.

Raises
------
OSError
    The file cannot be opened or read, or is not a regular file.
ValueError
    It holds no samples, or more than 2**26 + 1.
)");
    module.def(
        "write_samples",
        [](const std::filesystem::path& path, const ArrayLike& x) {
            const std::vector<double> values = ValuesOf(x.value, "x");
            py::gil_scoped_release unlocked;
            analysis::SaveSamples(path.string(), values);
        },
        py::arg("path"), py::arg("x"),
        R"(Write samples as the window saves them: one per line, each the shortest
text that reads back to the same double, replacing the file only once it is
complete (a link is written through to its target). A FIFO or a character
device is written as it stands, "/dev/stdout" and "/dev/stderr" where they
stand; a folder, a socket or a block device is refused.

Parameters
----------
path : str or os.PathLike
    The file to write.
x : numpy.ndarray of float64
    One-dimensional, every value finite.

Raises
------
OSError
    The file cannot be written, or a value is not finite; an existing file is left as it was,
    a FIFO or a device may have received part of the samples.
)");
}

}  // namespace python
