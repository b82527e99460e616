#pragma once
// Runs the batch command in the test's process and keeps what it says.

#include <sys/mman.h>
#include <unistd.h>

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

struct StreamedOutcome {
    int code;
    std::string errors;
    std::string output;  // what went to standard output
};

// The command with `input` on a pipe as standard input, and standard output kept.
inline StreamedOutcome RunStreamed(const std::vector<std::string>& arguments, const std::string& input) {
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0 || ::write(pipeEnds[1], input.data(), input.size()) != ssize_t(input.size()))
        return {-1, "no pipe", ""};
    ::close(pipeEnds[1]);
    const int output = ::memfd_create("standard-output", 0);
    std::ostringstream out;
    std::ostringstream errors;
    const int code = RunBatchCommand(arguments, out, errors, nullptr, {pipeEnds[0], output, -1});
    std::string written(static_cast<std::size_t>(::lseek(output, 0, SEEK_CUR)), '\0');
    const ssize_t read = ::pread(output, written.data(), written.size(), 0);
    written.resize(static_cast<std::size_t>(std::max<ssize_t>(read, 0)));
    ::close(pipeEnds[0]);
    ::close(output);
    return {code, errors.str(), written};
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
