#pragma once
// Runs the batch command in the test's process and keeps what it says.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "batch/BatchCommand.h"

namespace batch::test {

inline std::string SampleFile(const std::string& name) { return std::string(QUELMAR_SOURCE_DIR) + "/samples/" + name; }

struct Outcome {
    int code;
    std::string errors;
};

inline Outcome RunCommand(const std::vector<std::string>& arguments, InputResultSink* results = nullptr) {
    std::ostringstream out;
    std::ostringstream errors;
    const int code = RunBatchCommand(arguments, out, errors, results);
    return {code, errors.str()};
}

// A file's bytes; empty when it cannot be read.
inline std::string ReadAll(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// Every file and folder under folder, hidden ones included, as relative names.
inline std::vector<std::string> Entries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        names.push_back(entry.path().lexically_relative(folder).string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace batch::test
