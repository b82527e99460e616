#pragma once
// quelmar-batch --recipe FILE [INPUT] [--verify]: a recipe's steps through the
// session's own operations, on the recipe's input or the one given instead.
// The recipe and its input are checked before anything runs, and the outputs
// are written together once every one is made, so a bad recipe writes nothing.

#include <ostream>

#include "batch/BatchOptions.h"

namespace batch {

// Returns one of BatchExit; messages go to errors, a result the recipe sends
// to standard output to outputFd.
int ReplayRecipe(const BatchOptions& options, std::ostream& errors, int outputFd);

}  // namespace batch
