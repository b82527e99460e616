#pragma once
// The recipe of what the batch did with one input (--save-recipe).

#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "recipe/Recipe.h"

namespace batch {

// What a batch run wrote for its one input, to record.
struct RunRecord {
    std::string input;
    std::string inputFile;  // what was read: the input, or standard input's copy for "-"
    std::string countText;
    std::vector<recipe::Step> steps;
    std::string resultFile;  // empty: standard output
    std::span<const double> result;
    std::string bufferSha256;  // of the session's buffer, the whole grid
    // Before the Reconstruct: each view item's file, in item order.
    std::vector<std::string> coefficientFiles;
    std::map<std::string, std::string> import;  // an import's choices by name; empty for a sample file
};

// The recipe of a finished run: hashes the input and each file written (a
// result sent to standard output, as its text). Throws what reading them throws.
recipe::Recipe RecordRun(const RunRecord& run);

}  // namespace batch
