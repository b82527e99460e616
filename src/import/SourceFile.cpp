#include "import/SourceFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "analysis/io/FileError.h"

namespace importer {

int OpenSourceFile(const std::string& fileName, int64_t& fileBytes) {
    using analysis::EFileUnreadable;
    // Looked at before opening: opening a pipe would wake a writer waiting
    // for a reader; the open file is checked again.
    struct stat status {};
    if (::stat(fileName.c_str(), &status) != 0) throw EFileUnreadable(analysis::CannotOpenText(fileName, errno));
    if (!S_ISREG(status.st_mode)) throw EFileUnreadable(analysis::NotRegularText(fileName));
    const int fd = ::open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) throw EFileUnreadable(analysis::CannotOpenText(fileName, errno));
    const bool statted = ::fstat(fd, &status) == 0;
    const int error = errno;
    if (!statted || !S_ISREG(status.st_mode)) {
        ::close(fd);
        throw EFileUnreadable(statted ? analysis::NotRegularText(fileName) : analysis::CannotReadText(fileName, error));
    }
    fileBytes = status.st_size;
    return fd;
}

std::vector<char> ReadSourceFile(const std::string& fileName) {
    int64_t fileBytes = 0;
    const analysis::FileDescriptor file(OpenSourceFile(fileName, fileBytes));
    return analysis::ReadWholeFile(file.Get(), fileName);
}

}  // namespace importer
