#pragma once
// Where a replay writes a recipe's outputs, and the writing: a recipe from
// anyone names files as it likes, so each output goes under its file name
// into one folder the caller chose, and nowhere else.

#include <filesystem>
#include <string>
#include <vector>

#include "recipe/Recipe.h"

namespace recipe {

// Where each output is written: its file name in folder, whatever folders
// or ".." the recipe's name holds; "" for the buffer, "-" for standard
// output. Throws fw::Exception for a name that names no file, two outputs on
// one file, and a target that is the input, exists (unless overwrite) or is
// no regular file (a link, a device, a pipe, a folder).
std::vector<std::string> OutputTargets(const Recipe& recipe, const std::filesystem::path& folder,
                                       const std::string& input, bool overwrite);

// Writes contents (RecipeReplay::Run's) to the targets: the files together,
// once each is complete, then standard output to outputFd.
void WriteOutputs(const std::vector<std::string>& targets, const std::vector<std::string>& contents, int outputFd);

}  // namespace recipe
