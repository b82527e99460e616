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

}  // namespace importer::test
