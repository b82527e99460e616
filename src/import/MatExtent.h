#pragma once
// Whether a variable of a MATLAB file is all there, from the sizes the file
// gives itself. The library reads what a header claims and leaves unread what
// the file does not hold, without telling: a file cut short would give values
// that were never in it. Versions 4 and 5 are checked here; an HDF5 file
// (version 7.3) is refused by HDF5 itself when it is cut short.

#include <cstdint>
#include <string>

namespace importer {

enum class MatLayout { Version4, Version5, Hdf5 };

// Why the entry-th variable of the open file fd (0 the first, in file order,
// as the library lists them) is not all there: the file ends before the
// variable does, or the data of an uncompressed one holds fewer bytes than
// its first `values` values take. Empty when it is all there. Throws
// analysis::EFileUnreadable when the file cannot be read.
std::string MatVariableShortfall(int fd, const std::string& fileName, MatLayout layout, std::size_t entry,
                                 uint64_t values);

}  // namespace importer
