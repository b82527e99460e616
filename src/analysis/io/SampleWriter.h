#pragma once
// Writes samples as text the reader loads back bit for bit: one number per
// line, each the shortest decimal text that reads back to the same double.
//
// A file is replaced only when it is complete (FileReplacement.h): a failure
// leaves an existing file as it was. A FIFO or a character device is written
// as it stands, and "/dev/stdout" where standard output stands; a folder, a
// socket or a block device is refused.

#include <cstddef>
#include <span>
#include <string>

#include "framework/core/FileReplacement.h"

namespace analysis {

// A sample file that could not be written; the message names the file and
// the system's reason.
using SampleWriteError = fw::FileSaveError;

// The longest line FormatSampleLine writes: "-2.2250738585072014e-308\n".
constexpr std::size_t kMaxSampleLine = 25;

// Writes the shortest text of a finite value and a line feed at out, which
// must hold kMaxSampleLine characters; returns one past the line feed.
// A value that is not finite has no text the reader takes: nullptr.
char* FormatSampleLine(double value, char* out);

// The text of a whole file. Throws SampleWriteError (naming `name`) for a
// value that is not finite.
std::string FormatSamples(std::span<const double> values, const std::string& name = "");

// Replaces fileName by the samples as described above; throws
// SampleWriteError with "Cannot save file "<name>": <reason>".
void SaveSamples(const std::string& fileName, std::span<const double> values);

// The same for a text (a report, a picture's bytes).
void SaveText(const std::string& fileName, const std::string& text);

// Writes the samples to an open descriptor (standard output); `name` is what
// an error message calls it. Throws SampleWriteError.
void WriteSamples(int fd, std::span<const double> values, const std::string& name);

}  // namespace analysis
