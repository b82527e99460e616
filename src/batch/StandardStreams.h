#pragma once
// "-" on the command line: standard input as an input, standard output as
// an output. The run gets the descriptors, so that a caller (a test) can
// hand it others.

#include <string>
#include <string_view>

namespace batch {

// The name that stands for standard input or output.
inline constexpr std::string_view kStandardStream = "-";

struct StandardStreams {
    int input = 0;
    int output = 1;
    // Where the progress of a long run is drawn, when it is a terminal.
    int error = 2;
};

// Writes bytes to the file name, replacing it only once complete, or to
// output for "-"; throws fw::FileSaveError naming it.
void WriteOutput(const std::string& name, std::string_view bytes, int output);

// Standard input read to its end into a temporary file, which the readers
// then open as any file: a pipe can be read only once, and they count
// before they read. Without an extension the file is a sample file unless
// --format names another kind. Removed with the object.
class StandardInputCopy {
public:
    // Throws fw::Exception when the input or the temporary fails.
    explicit StandardInputCopy(int input);
    ~StandardInputCopy();
    StandardInputCopy(const StandardInputCopy&) = delete;
    StandardInputCopy& operator=(const StandardInputCopy&) = delete;

    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

}  // namespace batch
