#include "import/SourceFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "import/ImportError.h"

namespace importer {

std::string SystemReason(int error) { return std::strerror(error); }

int OpenSourceFile(const std::string& fileName, int64_t& fileBytes) {
    // Looked at before opening: opening a pipe would wake a writer waiting
    // for a reader; the open file is checked again.
    struct stat status {};
    if (::stat(fileName.c_str(), &status) != 0) throw ImportFailure(SystemReason(errno));
    if (!S_ISREG(status.st_mode)) throw ImportFailure("it is not a regular file");
    const int fd = ::open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) throw ImportFailure(SystemReason(errno));
    const bool statted = ::fstat(fd, &status) == 0;
    const int error = errno;
    if (!statted || !S_ISREG(status.st_mode)) {
        ::close(fd);
        throw ImportFailure(statted ? "it is not a regular file" : SystemReason(error));
    }
    fileBytes = status.st_size;
    return fd;
}

std::vector<char> ReadSourceFile(const std::string& fileName) {
    int64_t fileBytes = 0;
    const analysis::FileDescriptor file(OpenSourceFile(fileName, fileBytes));
    std::vector<char> bytes =
        fw::MapOutOfMemory([&] { return std::vector<char>(static_cast<std::size_t>(fileBytes)); });
    std::size_t have = 0;
    while (have < bytes.size()) {
        const ssize_t got = ::read(file.Get(), bytes.data() + have, bytes.size() - have);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) throw ImportFailure("cannot read it: " + SystemReason(errno));
        if (got == 0) break;
        have += static_cast<std::size_t>(got);
    }
    bytes.resize(have);
    return bytes;
}

}  // namespace importer
