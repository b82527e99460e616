#pragma once
// The batch run: for each input, the window's own session operations (Load,
// Decompose, SelectViewLevel, ApplyThreshold, Reconstruct) with sinks that
// record the plots, so that its numbers are the window's bit for bit.
//
// Everything that depends on the files (can each be read, do the levels and
// thresholds fit its J) is checked before the first file is written, so that
// bad arguments write nothing.

#include <cstdint>
#include <exception>
#include <ostream>
#include <string>
#include <vector>

#include "analysis/io/FileError.h"
#include "batch/BatchOptions.h"
#include "batch/StandardStreams.h"

namespace batch {

// A file name as messages quote it.
inline std::string Quoted(const std::string& text) { return analysis::QuotedName(text); }

// Makes folder and those above it; throws fw::Exception when it cannot.
void MakeFolder(const std::string& folder);

// What an error says in the batch's messages: memory the system refused in
// the words the window uses.
std::string ErrorMessage(const std::exception& error);

enum BatchExit : int {
    kExitDone = 0,
    kExitBadArguments = 1,
    kExitUnreadableInput = 2,
    kExitAnalysisFailed = 3,
    kExitOutputDiffers = 4,
};

// What one input gave, as the window's plots hold it after the same steps.
struct InputResult {
    std::string input;
    int32_t n = 0;
    int32_t j = 0;
    int32_t levels = 0;
    std::vector<double> signal;          // the signal plot: the loaded samples
    std::vector<double> reconstruction;  // the reconstruction plot
    // The view plot of each view item 1 ... levels + 1, after thresholding.
    std::vector<std::vector<double>> coefficients;
    // The threshold text applied to each view item ("" for none).
    std::vector<std::string> thresholds;
    // The recipe of the run as JSON text, when a picture or --save-recipe asks for it.
    std::string recipe;
};

// Receives each input's result once its files are written (a picture of the
// charts is drawn from it).
class InputResultSink {
public:
    virtual ~InputResultSink() = default;
    virtual void Take(const InputResult& result) = 0;
};

// Runs the parsed options; warnings and errors go to `errors`, "-" reads and
// writes the streams given, and each result goes to `results` as well as to
// the picture --plot asks for. Returns one of BatchExit.
int RunBatch(const BatchOptions& options, std::ostream& errors, InputResultSink* results = nullptr,
             StandardStreams streams = {});

}  // namespace batch
