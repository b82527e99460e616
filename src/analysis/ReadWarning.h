#pragma once
// The warning a load shows when the file did not give all its samples.

#include <cstdint>
#include <string>

#include "analysis/SampleReader.h"

namespace analysis {

// The file name, how many of the n samples were read, where and why reading
// stopped, and that the rest are 0. Empty for a complete read.
std::string DescribeIncompleteRead(const std::string& fileName, const ReadResult& result, int32_t n);

}  // namespace analysis
