#pragma once
// How many samples a file holds: the numbers a load would read from it with
// no limit on the count, that is those before the first text that is not a
// number (or lies beyond the double range) and before the end of the data
// (the file's end or a Ctrl-Z), in the syntax of SampleNumber.h.
//
// The plain numbers most files hold go through the reader's quick scan
// (PlainNumbers.h); of the others only the syntax is checked, which is much
// cheaper than converting, and a number whose magnitude may approach the
// double range is handed to the reader's own scan to decide.

#include <cstddef>
#include <cstdint>
#include <string>

#include "framework/core/Exceptions.h"

namespace analysis {

// A file that cannot be opened or read; the message names it and gives the
// system's reason.
class UnreadableSampleFile : public fw::Exception {
public:
    using Exception::Exception;
};

// Counts up to `limit` numbers (it stops reading there). Throws
// UnreadableSampleFile: "Cannot open file "<name>": <reason>" or
// "Cannot read file "<name>": <reason>".
int64_t CountSamples(const std::string& fileName, int64_t limit);

// The same, reading blocks of blockSize bytes (tests use tiny ones to put a
// number across every block boundary).
int64_t CountSamples(const std::string& fileName, int64_t limit, std::size_t blockSize);

}  // namespace analysis
