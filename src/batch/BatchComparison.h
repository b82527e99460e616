#pragma once
// The report of a run over many inputs or parts of one: a row each, in the
// order given, to compare them by. What each was denoised with, its noise
// and what was taken away, and the SHA-256 of what was read and written,
// so that a row is a single run's of the same input and part.

#include <cstdint>
#include <string>
#include <vector>

#include "analysis/denoise/Denoise.h"

namespace batch {

struct ComparisonRow {
    std::string input;
    std::string part;  // a channel's or column's name; empty for the whole input
    int32_t n = 0;     // the signal's samples
    int32_t j = 0;     // the grid's order
    // The denoising as it ran; a typed thresholding is a Fixed rule.
    analysis::DenoiseOptions settings;
    double sigma = 0;        // the noise estimated on the signal's finest details
    double residualRms = 0;  // of the signal minus its result, over the grid
    double zeroedShare = 0;  // of the detail coefficients, 0 after the thresholding
    std::string inputSha256;
    // Of the result as its own file: a table's column, as if written alone.
    std::string outputSha256;
};

std::string ComparisonCsv(const std::vector<ComparisonRow>& rows);
std::string ComparisonJson(const std::vector<ComparisonRow>& rows);

}  // namespace batch
