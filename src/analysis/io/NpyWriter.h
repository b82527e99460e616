#pragma once
// Samples as a NumPy .npy file (format 1.0, float64): the doubles
// themselves, for those who script, equal bit for bit to what the text
// reads back as.

#include <cstddef>
#include <span>
#include <string>

namespace analysis {

enum class SampleFormat { Text, Npy };

// Npy for a name ending in ".npy" (in any case), else Text.
SampleFormat FormatOfName(const std::string& fileName);

// The bytes of an .npy file of values as rows of `columns` (1: a 1-D
// array of values.size()). A value that is not finite is refused as the
// text refuses it: SampleWriteError naming `name`.
std::string FormatNpy(std::span<const double> values, std::size_t columns = 1, const std::string& name = "");

// The file's content in either format (FormatSamples or FormatNpy).
std::string FormatSamplesAs(SampleFormat format, std::span<const double> values, const std::string& name = "");

// Writes that content to an open descriptor; throws SampleWriteError.
void WriteSamplesAs(SampleFormat format, int fd, std::span<const double> values, const std::string& name);

}  // namespace analysis
