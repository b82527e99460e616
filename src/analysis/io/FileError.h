#pragma once
// A file that cannot be used, in the words every reader of a file shares:
//   Cannot open file "a.dat": No such file or directory
//   The file "a.dat" is not a regular file
//   Cannot read file "a.dat": Input/output error
// and the one way a message quotes the bytes a file holds or a name it shows.

#include <cstddef>
#include <string>

#include "framework/core/Exceptions.h"

namespace analysis {

// A file that could not be loaded or imported; the message names the file
// and why. Thrown as it is for a file whose content is of no use (it holds no
// number, or none the reader takes).
class EFileError : public fw::Exception {
public:
    using Exception::Exception;
};

// A file that could not be read at all: it cannot be opened, is not a regular
// file, or the system failed to read it. Every handler of EFileError sees it
// too; the Python module raises it as OSError, the other as ValueError.
class EFileUnreadable : public EFileError {
public:
    using EFileError::EFileError;
};

// error: the system's error number (errno).
std::string CannotOpenText(const std::string& fileName, int error);
std::string NotRegularText(const std::string& fileName);
std::string CannotReadText(const std::string& fileName, int error);

// The bytes a message quotes of a file: at most the first kQuotedBytes of
// [begin, end), followed by "…" when there were more, printable ASCII as it is
// and any other byte by its code ("\xEF"), so that the message shows what is
// really there, stays one line and never says that a cut text is the whole.
inline constexpr std::size_t kQuotedBytes = 20;
std::string QuoteBytes(const char* begin, const char* end);

// A name as a message shows it (a file's, a column's, a variable's): whole,
// with its control characters (bytes below 0x20, 0x7F, and the two-byte UTF-8
// forms of U+0080 ... U+009F) by their codes as QuoteBytes writes them, so
// that no name can move or recolour the terminal a message is printed on;
// every other byte as it is, so that names in any script read as written.
std::string ShownName(const std::string& name);

// name as ShownName shows it, in double quotes: how every message quotes a
// file name.
std::string QuotedName(const std::string& name);

}  // namespace analysis
