#pragma once
// The quick way through what fills most sample files: blanks and numbers of
// the plain shape
//
//   [sign] digits [. digits] [(e|E) [sign] digits]
//
// with no blank after the sign, at most 8 digits before the point, at most 19
// significant digits and a small exponent, converted without the general
// conversion of ScanSampleNumber, to the same values, by exact arithmetic.

#include <cstdint>
#include <vector>

namespace analysis {

struct PlainNumbers {
    const char* end = nullptr;  // where the scan stopped: the start of a token, or a blank
    int32_t count = 0;          // numbers written
    int64_t lineFeeds = 0;      // line feeds before `end`
};

// Reads the blanks and plain numbers from begin on into x[0 ... room). Stops
// at the first token of another shape, at a token so close to `end` that it
// might go on past it, at `stop` (end by default: no token that starts at or
// after it is read, though the text up to `end` may be looked at), or when
// room numbers are read; ScanSampleNumber reads on from there. Every number
// read ends in a blank before `end`.
PlainNumbers ScanPlainNumbers(const char* begin, const char* end, double* x, int32_t room, const char* stop = nullptr);

// The same over two halves of the text at once, each on a thread of its own,
// the second half's numbers read into `spare` and moved after the first's:
// the result is ScanPlainNumbers's, bit for bit. Text too short to pay for a
// thread is scanned on the caller's alone.
PlainNumbers ScanPlainNumbersInTwo(const char* begin, const char* end, double* x, int32_t room,
                                   std::vector<double>& spare);

}  // namespace analysis
