#include "batch/BatchCommand.h"

#include "batch/BatchOptions.h"

namespace batch {

int RunBatchCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& errors,
                    InputResultSink* results, StandardStreams streams) {
    const ParsedArguments parsed = ParseBatchArguments(arguments);
    if (!parsed.error.empty()) {
        errors << "quelmar-batch: " << parsed.error << "\nTry 'quelmar-batch --help' for the options.\n";
        return kExitBadArguments;
    }
    switch (parsed.action) {
    case BatchAction::Help: out << BatchUsage(); return kExitDone;
    case BatchAction::Version: out << BatchVersion(); return kExitDone;
    case BatchAction::Run: break;
    }
    return RunBatch(parsed.options, errors, results, streams);
}

}  // namespace batch
