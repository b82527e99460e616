#pragma once
// Runs the batch command in the test's process and keeps what it says.

#include <algorithm>
#include <filesystem>
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
