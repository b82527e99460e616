#pragma once
// What a load tells about its file: the error of a file that gave no sample,
// and the warning about one that gave fewer than asked for.

#include <cstdint>
#include <string>

#include "analysis/io/FileError.h"
#include "analysis/io/SampleReader.h"

namespace analysis {

// For a read that stored no sample: the file cannot be opened or read, is not
// a regular file, or holds no number before its end or its first text that is
// not a number. Empty when a sample was read, and for a cancelled read.
std::string DescribeFailedRead(const std::string& fileName, const ReadResult& result);

// Throws what DescribeFailedRead says of a read that stored no sample: as
// EFileUnreadable when the file cannot be opened or read or is not a regular
// file, else as EFileError. Returns when there is nothing to say.
void ThrowIfReadFailed(const std::string& fileName, const ReadResult& result);

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
