#pragma once
// An import that failed, in the words the window shows:
//   Cannot import "x.csv": line 3, column 2: "abc" is not a number
// A file that cannot be opened or read is not an import's failure of its own:
// it is told as every reader tells it (analysis::EFileUnreadable).

#include <string>

#include "analysis/io/FileError.h"
#include "framework/core/Exceptions.h"

namespace importer {

class ImportError : public fw::Exception {
public:
    ImportError(const std::string& fileName, const std::string& reason)
        : Exception("Cannot import \"" + analysis::ShownName(fileName) + "\": " + reason) {}
};

// A reason with no file yet: the readers of bytes in memory throw it, and
// the file's reader names the file.
class ImportFailure : public fw::Exception {
public:
    using Exception::Exception;
};

}  // namespace importer
