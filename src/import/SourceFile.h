#pragma once
// Opening a file to import: only a regular file, since a pipe or a device
// could block the read or never end.

#include <cstdint>
#include <string>
#include <vector>

#include "analysis/io/FileDescriptor.h"

namespace importer {

// Opens fileName for reading and returns its descriptor, for the caller to
// close; throws analysis::EFileUnreadable naming the file when it cannot be
// opened or is not a regular one. fileBytes: its size.
int OpenSourceFile(const std::string& fileName, int64_t& fileBytes);

// The whole file's bytes.
std::vector<char> ReadSourceFile(const std::string& fileName);

}  // namespace importer
