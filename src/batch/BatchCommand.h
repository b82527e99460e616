#pragma once
// The whole program behind main(): parse, then help, version or the run.

#include <ostream>
#include <string>
#include <vector>

#include "batch/BatchRun.h"

namespace batch {

// The arguments after the program name; text output (help, version) goes to
// `out`, messages to `errors`, a result to standard output to outputFd.
// Returns the exit code (BatchExit).
int RunBatchCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& errors,
                    InputResultSink* results = nullptr, int outputFd = 1);

}  // namespace batch
