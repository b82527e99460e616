#include "batch/StandardStreams.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/core/FileReplacement.h"

namespace batch {

void WriteOutput(const std::string& name, std::string_view bytes, int output) {
    if (name != kStandardStream) return fw::ReplaceFileWith(name, bytes);
    fw::WriteToDescriptor("standard output", output, [&](int fd) {
        if (!fw::WriteAll(fd, bytes.data(), bytes.size())) throw fw::SaveError("standard output", strerror(errno));
    });
}

StandardInputCopy::StandardInputCopy(int input) {
    std::error_code noFolder;
    std::string pattern = (std::filesystem::temp_directory_path(noFolder) / "quelmar-stdin-XXXXXX").string();
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) throw fw::Exception("Cannot read standard input: no temporary file: " + std::string(strerror(errno)));
    path_ = pattern;
    std::vector<char> block(std::size_t{1} << 16);
    for (;;) {
        const ssize_t got = ::read(input, block.data(), block.size());
        if (got < 0 && errno == EINTR) continue;
        if (got == 0) break;
        if (got < 0 || !fw::WriteAll(fd, block.data(), static_cast<std::size_t>(got))) {
            const std::string reason = strerror(errno);
            ::close(fd);
            ::unlink(path_.c_str());
            throw fw::Exception("Cannot read standard input: " + reason);
        }
    }
    ::close(fd);
}

StandardInputCopy::~StandardInputCopy() { ::unlink(path_.c_str()); }

}  // namespace batch
