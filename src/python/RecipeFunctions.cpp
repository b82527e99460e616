// Recipes: a result the window or the batch recorded, made again from Python
// through the same replay, so that the numbers are theirs bit for bit.

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>
#include <pybind11/stl/filesystem.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "analysis/session/QuietControls.h"
#include "python/ModuleParts.h"
#include "recipe/RecipeJson.h"
#include "recipe/RecipeReplay.h"
#include "recipe/Sha256.h"

namespace python {

namespace py = pybind11;

namespace {

// The session's warning (a file that gave fewer samples than the count),
// kept to be raised as a Python warning once the GIL is held again.
class KeptWarnings : public analysis::QuietControls {
public:
    void ShowWarning(const std::string& text) override { warnings.push_back(text); }

    std::vector<std::string> warnings;
};

py::tuple ReplayOn(const recipe::Recipe& r, std::optional<std::filesystem::path> inputPath) {
    const std::string input = inputPath ? inputPath->string() : r.input.name;
    KeptWarnings controls;
    recipe::PrivateSession session(controls);
    recipe::RecipeReplay replay(r, session.Session());
    if (!inputPath) {
        if (const std::string mismatch = recipe::InputMismatch(r, input); !mismatch.empty()) {
            throw py::value_error("the recipe's input differs (give input= to replay it on this file anyway): " +
                                  mismatch);
        }
    }
    if (inputPath) {
        replay.LoadOther(input);
    } else {
        replay.Load(input);
    }
    std::vector<std::string> contents;
    {
        py::gil_scoped_release unlocked;
        contents = replay.Run();
    }
    for (const std::string& warning : controls.warnings) {
        if (PyErr_WarnEx(PyExc_UserWarning, warning.c_str(), 1) != 0) throw py::error_already_set();
    }
    const std::span<const double> buffer = replay.Buffer();
    py::array_t<double> x(static_cast<py::ssize_t>(buffer.size()));
    std::copy(buffer.begin(), buffer.end(), x.mutable_data());
    py::list outputs;
    for (std::size_t i = 0; i < r.outputs.size(); ++i) {
        const recipe::Output& output = r.outputs[i];
        py::dict entry;
        entry["kind"] = recipe::OutputName(output.kind);
        entry["file"] = output.kind == recipe::OutputKind::Buffer ? py::object(py::none()) : py::str(output.file);
        entry["item"] = output.kind == recipe::OutputKind::Coefficients ? py::object(py::int_(output.item))
                                                                        : py::object(py::none());
        entry["step"] = output.after;
        entry["sha256"] = output.sha256;
        entry["matches"] = recipe::TakenSha256(output, contents[i]) == output.sha256;
        outputs.append(entry);
    }
    return py::make_tuple(x, outputs);
}

// One input, none (the recipe's own) or a list of them, each replayed alone.
py::object Replay(const std::filesystem::path& recipePath, const py::object& input) {
    const recipe::Recipe r = recipe::ReadRecipeFile(recipePath.string());
    if (input.is_none()) return ReplayOn(r, std::nullopt);
    if (!py::isinstance<py::list>(input) && !py::isinstance<py::tuple>(input)) {
        return ReplayOn(r, input.cast<std::filesystem::path>());
    }
    py::list results;
    for (const py::handle item : input) results.append(ReplayOn(r, item.cast<std::filesystem::path>()));
    return results;
}

}  // namespace

void AddRecipeFunctions(py::module_& module) {
    module.def("replay", &Replay, py::arg("recipe_path"), py::arg("input") = py::none(),
               R"(Replay a recipe the window or quelmar-batch saved, and check its outputs.

The recipe's steps run through the same code as in the window, so the
result is the recorded one bit for bit. Nothing is written.

Parameters
----------
recipe_path : str or os.PathLike
    A recipe file (JSON), or a PNG, SVG or PDF picture that carries one.
input : str or os.PathLike, or a list of them, optional
    A file to replay the recipe on instead of the recipe's own input: a
    sample file, or for a recipe of an import, one imported with its choices,
    on the grid its own length makes. Its rules estimate their thresholds
    from it and an automatic choice is made again there; typed thresholds
    stay. Without it the recipe's input must have the recorded size and
    SHA-256. A list replays on each file in turn.

Returns
-------
For a list of inputs, a list with a (signal, outputs) pair for each, in
order; otherwise that pair:

signal : numpy.ndarray
    The 2**J + 1 samples (float64) the recipe's steps end with (an import's
    whole grid).
outputs : list of dict
    One per recorded output, in the recipe's order: ``kind`` ("buffer",
    "result", "coefficients" or "signal"), ``file`` (None for the buffer),
    ``item`` (the view item of coefficients, else None), ``step`` (the number
    of steps done when it was taken), ``sha256`` (the recorded hash) and
    ``matches`` (whether the replay's bytes have that hash).

Raises
------
ValueError
    For a bad recipe, with its message naming the field (for example
    "steps[1].item: 5 is not a view item from 1 to 4"), and when the
    recipe's input has another SHA-256 and no `input` is given, or the input
    holds no samples.
OSError
    When the recipe or the input cannot be opened or read.

Warns
-----
UserWarning
    When the input gives fewer samples than the recipe's count.

Examples
--------
>>> signal, outputs = quelmar.replay("denoised.recipe.json")
>>> all(o["matches"] for o in outputs)
True
>>> [len(s) for s, _ in quelmar.replay("denoised.recipe.json", input=["a.dat", "b.dat"])]
[513, 1025])");
}

}  // namespace python
