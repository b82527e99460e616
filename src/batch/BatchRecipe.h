#pragma once
// The recipe of what the batch did with one input (--save-recipe).

#include <cstdint>
#include <string>
#include <vector>

#include "recipe/Recipe.h"

namespace batch {

// What a batch run wrote for its one input, to record.
struct RunRecord {
    std::string input;
    std::string countText;
    std::vector<recipe::Step> steps;
    std::string resultFile;  // empty: standard output
    const std::vector<double>* result = nullptr;
    // Before the Reconstruct: each view item's file, in item order.
    std::vector<std::string> coefficientFiles;
};

// The recipe of a finished run: hashes the input and each file written (a
// result sent to standard output, as its text). Throws what reading them throws.
recipe::Recipe RecordRun(const RunRecord& run);

}  // namespace batch
