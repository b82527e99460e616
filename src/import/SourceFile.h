#pragma once
// Opening a file to import: only a regular file, since a pipe or a device
// could block the read or never end.

#include <cstdint>
#include <string>
#include <vector>

#include "analysis/FileDescriptor.h"

namespace importer {

// Opens fileName for reading and returns its descriptor, for the caller to
// close; throws ImportFailure with the system's reason, or for a file that is
// not a regular one. fileBytes: its size.
int OpenSourceFile(const std::string& fileName, int64_t& fileBytes);

// The whole file's bytes.
std::vector<char> ReadSourceFile(const std::string& fileName);

// The system's reason for errno `error`.
std::string SystemReason(int error);

}  // namespace importer
