#pragma once
// The files tests/import/files/make_files.py wrote with the tools that make
// such files, and the values each holds (NAME.expect, hexadecimal floats).

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace importer::test {

inline std::string ImportFile(const std::string& name) { return std::string(QUELMAR_IMPORT_FILES) + "/" + name; }

inline std::vector<double> ExpectedValues(const std::string& name) {
    std::ifstream in(ImportFile(name + ".expect"));
    std::vector<double> values;
    for (std::string line; std::getline(in, line);) values.push_back(std::strtod(line.c_str(), nullptr));
    return values;
}

// A .npy file of doubles of this machine in the shape given ("(3, 4)",
// "(5,)"), the items in C order or, with fortran, Fortran order.
inline std::string NpyBytes(const std::vector<double>& items, const std::string& shape, bool fortran = false) {
    std::string header = std::string("{'descr': '<f8', 'fortran_order': ") + (fortran ? "True" : "False") +
                         ", 'shape': " + shape + ", }";
    header.append(63 - (10 + header.size()) % 64, ' ');
    header += '\n';
    return std::string("\x93NUMPY\x01\x00", 8) + static_cast<char>(header.size()) +
           static_cast<char>(header.size() >> 8) + header +
           std::string(reinterpret_cast<const char*>(items.data()), items.size() * sizeof(double));
}

}  // namespace importer::test
