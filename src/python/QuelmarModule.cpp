// The quelmar module: the tool's transform, denoising rules and sample files
// for NumPy, with the numbers of the window and the batch command bit for bit.

#include <pybind11/pybind11.h>

#include "analysis/io/FileError.h"
#include "framework/core/Exceptions.h"
#include "framework/core/FileReplacement.h"
#include "python/ModuleParts.h"

namespace py = pybind11;

PYBIND11_MODULE(_quelmar, module) {
    module.doc() = R"(The interpolating lifting wavelet transform, its denoising rules and sample files.

The same code as the window and the batch command, so that their numbers
agree bit for bit. Every function takes any array-like of real numbers as
float64 and returns numpy.ndarray of float64.)";
    module.attr("__version__") = QUELMAR_VERSION;
    // The tool's errors keep their messages, under the exception a Python
    // user expects for their kind: a file that cannot be read or written is
    // an OSError, one that holds nothing of use a ValueError.
    py::register_exception_translator([](std::exception_ptr error) {
        try {
            if (error) std::rethrow_exception(error);
        } catch (const fw::EOverflow& e) {
            PyErr_SetString(PyExc_OverflowError, e.Message().c_str());
        } catch (const fw::EOutOfMemory& e) {
            PyErr_SetString(PyExc_MemoryError, e.Message().c_str());
        } catch (const analysis::EFileUnreadable& e) {
            PyErr_SetString(PyExc_OSError, e.Message().c_str());
        } catch (const fw::FileSaveError& e) {
            PyErr_SetString(PyExc_OSError, e.Message().c_str());
        } catch (const fw::Exception& e) {
            PyErr_SetString(PyExc_ValueError, e.Message().c_str());
        }
    });
    python::AddTransformFunctions(module);
    python::AddDenoiseFunctions(module);
    python::AddFileFunctions(module);
    python::AddImportFunctions(module);
    python::AddRecipeFunctions(module);
}
