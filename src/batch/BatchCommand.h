#pragma once
// The whole program behind main(): parse, then help, version or the run.

#include <ostream>
#include <string>
#include <vector>

#include "batch/BatchRun.h"

namespace batch {

// The arguments after the program name; text output (help, version) goes to
// `out`, messages to `errors`, and "-" reads and writes the streams given.
// Returns the exit code (BatchExit).
int RunBatchCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& errors,
                    InputResultSink* results = nullptr, StandardStreams streams = {});

}  // namespace batch
