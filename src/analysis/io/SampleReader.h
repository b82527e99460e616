#pragma once
// Reads the samples of a text file of numbers (syntax in SampleNumber.h,
// separated by blanks) into a buffer, and tells how far it got.
//
// The file is read as bytes: a Ctrl-Z (0x1A) ends the data, and a carriage
// return needs no translation because it is a blank like the line feed after
// it. Only the first n numbers are read; the rest of the file is never looked at.
// A UTF-8 byte order mark at the very start is skipped; anywhere else it is
// text like any other.
// Only a regular file is read: a pipe, a device or a folder could block the
// read, or never end, and is refused before anything is read from it.

#include <cstddef>
#include <cstdint>
#include <string>

#include "analysis/io/FileChunkReader.h"

namespace analysis {

enum class ReadStop {
    Complete,    // all n samples were read
    CannotOpen,  // the file could not be opened; nothing was read
    NotRegular,  // the name is a pipe, device or folder; nothing was read
    ReadFailed,  // the system failed to read the file after `stored` numbers
    FileEnded,   // the data ended after `stored` numbers
    NotANumber,  // the text at `line` is not a number (or lies beyond the double range)
    Cancelled,   // the progress callback asked to stop after `stored` numbers
};

struct ReadResult {
    int32_t stored = 0;  // samples written, from position 0 on
    ReadStop stop = ReadStop::Complete;
    int error = 0;      // CannotOpen, ReadFailed: the system's error number
    int64_t bytes = 0;  // bytes read from the file
    int64_t line = 0;   // NotANumber: the 1-based line where the text starts
    std::string text;   // NotANumber: that text as QuoteBytes quotes it, up to its first blank
};

// Reads in chunks of kReadChunkBytes and tells progress after each one
// (FileChunkReader.h). Writes x[0] ... x[stored - 1]; the positions after
// them are left untouched. File problems are reported in the result, never
// thrown; only a lack of memory for the read window throws (fw::EOutOfMemory).
ReadResult ReadSamples(const std::string& fileName, double* x, int32_t n, const ReadProgress& progress = {});

// The same reader with chunks of chunkBytes (at least 1): a small chunk makes
// numbers cross the ends of what has been read so far. With x null the
// numbers are only counted.
ReadResult ReadSamplesInChunks(const std::string& fileName, double* x, int32_t n, std::size_t chunkBytes,
                               const ReadProgress& progress = {});

// How many samples a load with no limit on the count would read, up to
// `limit`, and why reading stopped: the reader run without storing, so that
// the count and a load agree on every file, its kind and every number's range.
ReadResult CountSamples(const std::string& fileName, int32_t limit, std::size_t chunkBytes = kReadChunkBytes);

}  // namespace analysis
