#pragma once
// The module's functions, added by the files that hold them.

#include <pybind11/pybind11.h>

namespace python {

void AddTransformFunctions(pybind11::module_& module);
void AddDenoiseFunctions(pybind11::module_& module);
void AddFileFunctions(pybind11::module_& module);
void AddImportFunctions(pybind11::module_& module);
void AddRecipeFunctions(pybind11::module_& module);

}  // namespace python
