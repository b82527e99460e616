#pragma once
// The values an import reads. A long signal's buffer comes from the system in
// huge pages where it can: a fresh buffer of millions of doubles otherwise
// costs more in page faults than reading the file.

#include <vector>

#include "framework/core/LargeBlock.h"

namespace importer {

using Samples = std::vector<double, fw::LargeBlockAllocator<double>>;

}  // namespace importer
