#pragma once
// A sample file read once by a caller that learns its count from the read
// (the batch), instead of counting the numbers first and loading them after.

#include <memory>
#include <string>

#include "analysis/io/SampleReader.h"
#include "analysis/transform/DyadicSignal.h"

namespace analysis {

struct WholeFileRead {
    // What CountSamples(fileName, kMaxSamples + 1) tells of the file.
    ReadResult read;
    // The numbers read, on the grid of their count with zeros after them, as
    // a load with that count gives them; null when there are none or more
    // than kMaxSamples.
    std::shared_ptr<DyadicSignal> samples;
};

// Reads every number of fileName up to kMaxSamples + 1 into a block as long
// as the most numbers the file's size allows; only the pages written cost
// memory. Throws fw::EOutOfMemory when even that much address space cannot
// be had.
WholeFileRead ReadWholeFile(const std::string& fileName);

}  // namespace analysis
