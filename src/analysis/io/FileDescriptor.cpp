#include "analysis/io/FileDescriptor.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>

#include "analysis/io/FileError.h"

namespace analysis {

ReadCount ReadFully(int fd, char* into, std::size_t bytes, std::optional<int64_t> offset) {
    ReadCount count;
    while (count.bytes < bytes) {
        char* const at = into + count.bytes;
        const std::size_t ask = bytes - count.bytes;
        const ssize_t got = offset ? ::pread(fd, at, ask, static_cast<off_t>(*offset) + static_cast<off_t>(count.bytes))
                                   : ::read(fd, at, ask);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) count.error = errno;
        if (got <= 0) break;
        count.bytes += static_cast<std::size_t>(got);
    }
    return count;
}

std::size_t ReadFileAt(int fd, const std::string& fileName, char* into, std::size_t bytes, int64_t offset) {
    const ReadCount got = ReadFully(fd, into, bytes, offset);
    if (got.error != 0) throw EFileUnreadable(CannotReadText(fileName, got.error));
    return got.bytes;
}

std::vector<char> ReadWholeFile(int fd, const std::string& fileName) {
    return fw::MapOutOfMemory([&] {
        struct stat status {};
        const off_t size = ::fstat(fd, &status) == 0 ? std::max<off_t>(status.st_size, 0) : 0;
        // One byte more than the file holds sees its end in the first pass;
        // a file that has grown since, or a pipe, is read on to its end.
        std::vector<char> bytes(static_cast<std::size_t>(size) + 1);
        std::size_t have = 0;
        for (;;) {
            const ReadCount got = ReadFully(fd, bytes.data() + have, bytes.size() - have);
            if (got.error != 0) throw EFileUnreadable(CannotReadText(fileName, got.error));
            have += got.bytes;
            if (have < bytes.size()) break;
            bytes.resize(bytes.size() * 2);
        }
        bytes.resize(have);
        return bytes;
    });
}

}  // namespace analysis
