// Signals from text tables, audio, MATLAB and NumPy files, as File > Import
// and the batch command's import options read them.

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>
#include <pybind11/stl/filesystem.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>

#include "import/ArrayAxis.h"
#include "import/GapFill.h"
#include "import/GridExtension.h"
#include "import/ImportParts.h"
#include "import/SignalImport.h"
#include "import/TextRecords.h"
#include "python/ModuleParts.h"

namespace python {
namespace {

namespace py = pybind11;

template <class Value>
Value Named(std::optional<Value> value, const char* argument, const std::string& name, const char* choices) {
    if (!value) throw py::value_error(std::string(argument) + " must be " + choices + ", not '" + name + "'");
    return *value;
}

py::tuple ImportSignal(const std::filesystem::path& path, const std::optional<std::string>& format,
                       const std::optional<py::object>& column, const std::optional<std::string>& delimiter,
                       std::optional<bool> decimalComma, std::optional<int32_t> skipLines, bool rowsAsSeries,
                       const std::optional<py::object>& channel, const std::string& variable,
                       const std::optional<std::string>& axis, const std::string& gaps,
                       const std::optional<std::string>& extend) {
    importer::ImportChoices choices;
    if (format)
        choices.kind =
            Named(importer::SourceKindNamed(*format), "format", *format, "'text', 'csv', 'audio', 'mat' or 'npy'");
    if (column) choices.text.column = py::str(*column);
    if (delimiter) {
        choices.text.delimiter =
            Named(importer::DelimiterNamed(*delimiter), "delimiter", *delimiter, "',', ';', 'tab' or 'space'");
    }
    choices.text.decimalComma = decimalComma;
    if (skipLines && *skipLines < 0) throw py::value_error("skip_lines must be 0 or more");
    choices.text.skipLines = skipLines;
    choices.text.rowsAsSeries = rowsAsSeries;
    if (channel) choices.channel = py::str(*channel);
    choices.variable = variable;
    if (axis) choices.axis = Named(importer::ArrayAxisNamed(*axis), "axis", *axis, "'rows' or 'columns'");
    choices.gaps = Named(importer::GapsNamed(gaps), "gaps", gaps, "'refuse', 'fill' or 'drop'");
    if (extend)
        choices.extension =
            Named(importer::ExtensionNamed(*extend), "extend", *extend, "'reflect', 'repeat' or 'zero'");

    std::vector<importer::ImportedSignal> parts;
    {
        py::gil_scoped_release unlocked;
        if (importer::AsksForManyParts(choices)) {
            parts = importer::ImportParts(path.string(), choices);
        } else {
            parts.push_back(importer::ImportSignal(path.string(), choices));
        }
    }
    const importer::ImportedSignal& signal = parts.front();
    const std::size_t n = signal.samples.size();
    const std::size_t rows = extend ? static_cast<std::size_t>(importer::GridFor(static_cast<int64_t>(n)).N) : n;
    // One column per part, as a table holds them.
    const bool many = importer::AsksForManyParts(choices);
    py::array_t<double> x =
        many ? py::array_t<double>({static_cast<py::ssize_t>(rows), static_cast<py::ssize_t>(parts.size())})
             : py::array_t<double>(static_cast<py::ssize_t>(rows));
    double* out = x.mutable_data();
    py::list described;
    for (std::size_t part = 0; part < parts.size(); ++part) {
        const importer::Samples samples =
            extend ? importer::ExtendToGrid(parts[part].samples, static_cast<int32_t>(rows), choices.extension)
                   : parts[part].samples;
        for (std::size_t i = 0; i < rows; ++i) out[i * parts.size() + part] = samples[i];
        described.append(parts[part].part);
    }
    py::dict info;
    info["n"] = n;
    info["part"] = many ? py::object(described) : py::object(py::str(signal.part));
    info["sample_rate"] = signal.sampleRate;
    info["description"] = signal.Describe();
    info["warning"] = signal.warning;
    info["gaps"] = signal.gaps;
    for (const importer::ImportedSignal& part : parts) {
        if (!part.warning.empty() && PyErr_WarnEx(PyExc_UserWarning, part.warning.c_str(), 1) != 0) {
            throw py::error_already_set();
        }
    }
    return py::make_tuple(x, info);
}

}  // namespace

void AddImportFunctions(py::module_& module) {
    module.def("import_signal", &ImportSignal, py::arg("path"), py::kw_only(), py::arg("format") = py::none(),
               py::arg("column") = py::none(), py::arg("delimiter") = py::none(), py::arg("decimal_comma") = py::none(),
               py::arg("skip_lines") = py::none(), py::arg("rows_as_series") = false, py::arg("channel") = py::none(),
               py::arg("variable") = "", py::arg("axis") = py::none(), py::arg("gaps") = "refuse",
               py::arg("extend") = "reflect",
               R"(Read a signal from a text table, an audio, MATLAB or NumPy file, as File > Import does.

Parameters
----------
path : str or os.PathLike
    The file; its kind comes from its extension (.csv .tsv .txt .dat, .wav
    .flac .aiff .ogg, .mat, .npy) unless ``format`` names it.
format : {'text', 'csv', 'audio', 'mat', 'npy'}, optional
column : str or int, optional
    A text table's column by its header name or its number from 1 (also the
    column, or row, of a 2-D NumPy or MATLAB array); by default the only or
    last one. 'all', or numbers separated by commas ('2,3,5'), read those
    columns as the columns of a 2-D result.
delimiter : {',', ';', 'tab', 'space'}, optional
    Found from the first lines by default, as are ``decimal_comma`` and
    ``skip_lines`` (the lines before the data).
decimal_comma : bool, optional
skip_lines : int, optional
rows_as_series : bool
    A wide table (a year a line, a month a column): the data lines are one
    series, read line by line, left to right, from ``column`` on to the last
    column (by default from the second of several, the first being the
    line's label); only the last line may have fewer values.
channel : int or {'mean', 'all'}, optional
    An audio file's channel from 1; the mean of all channels by default;
    'all' reads every channel as the columns of a 2-D result.
variable : str, optional
    A MATLAB file's variable; by default the first numeric vector.
axis : {'columns', 'rows'}, optional
    Of a 2-D NumPy or MATLAB array: each column is a signal, or each row;
    by default along the longer axis (rows when there are fewer rows than
    columns). A vector is one signal either way.
gaps : {'refuse', 'fill', 'drop'}
    Empty fields and NaNs ("nan" or "NA" in a table): refused, naming the
    first; filled by a straight line between the values on either side (a
    gap at an end takes the nearest value); or left out. An infinity is
    always refused.
extend : {'reflect', 'repeat', 'zero'} or None
    How the n samples are extended to the grid of ``grid_size(n)``; None
    returns the n samples alone.

Returns
-------
x : numpy.ndarray
    The samples, extended to 2**J + 1 unless ``extend`` is None; with many
    parts (channel='all', several columns) one column per part.
info : dict
    ``n`` (the samples the file gave), ``part`` (column, channel or variable;
    a list of them for many parts),
    ``sample_rate`` (0 when the file tells none), ``description``,
    ``warning`` ("" unless the file gave fewer samples than it promised) and
    ``gaps`` (how many were filled or dropped).

Raises
------
ValueError
    The file cannot be imported with these choices; the message names the
    file and says why, in the window's words.
OSError
    The file cannot be opened or read, or is not a regular file.

Warns
-----
UserWarning
    When an audio file gives fewer frames than its header promises.
)");
}

}  // namespace python
