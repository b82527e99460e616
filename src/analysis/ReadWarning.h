#pragma once
// What a load tells about its file: the error of a file that gave no sample,
// and the warning about one that gave fewer than asked for.

#include <cstdint>
#include <string>

#include "analysis/SampleReader.h"
#include "framework/core/Exceptions.h"

namespace analysis {

// A sample file that could not be loaded; the message names the file and why.
class EFileError : public fw::Exception {
public:
    using Exception::Exception;
};

// For a read that stored no sample: the file cannot be opened or read, is not
// a regular file, or holds no number before its end or its first text that is
// not a number. Empty when a sample was read, and for a cancelled read.
std::string DescribeFailedRead(const std::string& fileName, const ReadResult& result);

// For a read that stored some but not all n samples: the file name, how many
// were read, where and why reading stopped, and that the rest are 0. Empty for
// a complete or cancelled read and for one that stored nothing.
std::string DescribeIncompleteRead(const std::string& fileName, const ReadResult& result, int32_t n);

// For a count (CountSamples) that stopped at text that is not a number: a
// load of exactly the numbers counted reads them all and never sees that
// text, so this says where it stands and that what follows was not read.
// Empty for any other count.
std::string DescribeUnreadRest(const std::string& fileName, const ReadResult& result);

}  // namespace analysis
