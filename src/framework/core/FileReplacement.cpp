#include "framework/core/FileReplacement.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstring>
#include <set>

namespace fw {
namespace {

std::string Reason(int error) { return std::strerror(error); }

std::string FolderOf(const std::string& fileName) {
    const std::size_t slash = fileName.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : fileName.substr(0, slash);
}

// As many links as the system itself follows before it gives up.
constexpr int kMaxLinks = 40;

// The file a name finally stands for: symbolic links followed, a relative
// link read from the link's own folder. A name that does not exist, or the
// missing target of a dangling link, is itself the target.
std::string FinalTarget(const std::string& fileName) {
    std::string name = fileName;
    for (int hop = 0; hop < kMaxLinks; ++hop) {
        struct stat status {};
        if (::lstat(name.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return name;
        char link[PATH_MAX];
        const ssize_t length = ::readlink(name.c_str(), link, sizeof link);
        if (length < 0) throw SaveError(fileName, Reason(errno));
        if (static_cast<std::size_t>(length) == sizeof link) throw SaveError(fileName, Reason(ENAMETOOLONG));
        const std::string to(link, static_cast<std::size_t>(length));
        name = to.front() == '/' ? to : FolderOf(name) + "/" + to;
    }
    throw SaveError(fileName, Reason(ELOOP));
}

// The temporary in the target's folder: created exclusively, so that two
// saves never share one, with the target's permissions when it exists.
int CreateTemporary(const std::string& target, std::string& temporary) {
    static std::atomic<unsigned> serial{0};
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode);
    const std::string stem = FolderOf(target) + "/.quelmar-" + std::to_string(::getpid()) + "-";
    for (int attempt = 0;; ++attempt) {
        temporary = stem + std::to_string(serial++) + ".tmp";
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            if (exists) ::fchmod(fd, existing.st_mode & 07777);
            return fd;
        }
        if (errno != EEXIST || attempt == 100) return -1;
    }
}

}  // namespace

FileSaveError SaveError(const std::string& fileName, const std::string& reason) {
    return FileSaveError("Cannot save file \"" + fileName + "\": " + reason);
}

bool WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

FileReplacements::~FileReplacements() {
    for (const Pending& file : pending_) ::unlink(file.temporary.c_str());
}

void FileReplacements::Prepare(const std::string& fileName, const WriteContent& write) {
    Pending file{fileName, FinalTarget(fileName), {}};
    // A folder in the way is found before anything is written, not by the
    // rename, when other files of the set may already be replaced.
    struct stat existing {};
    if (::stat(file.target.c_str(), &existing) == 0 && S_ISDIR(existing.st_mode)) {
        throw SaveError(fileName, Reason(EISDIR));
    }
    const int fd = CreateTemporary(file.target, file.temporary);
    if (fd < 0) throw SaveError(fileName, Reason(errno));
    bool open = true;
    try {
        write(fd);
        if (::fsync(fd) != 0) throw SaveError(fileName, Reason(errno));
        open = false;
        if (::close(fd) != 0) throw SaveError(fileName, Reason(errno));
    } catch (...) {
        if (open) ::close(fd);
        ::unlink(file.temporary.c_str());
        throw;
    }
    pending_.push_back(std::move(file));
}

void FileReplacements::Commit() {
    std::set<std::string> folders;
    while (!pending_.empty()) {
        const Pending& file = pending_.front();
        if (::rename(file.temporary.c_str(), file.target.c_str()) != 0) throw SaveError(file.name, Reason(errno));
        folders.insert(FolderOf(file.target));
        pending_.erase(pending_.begin());
    }
    // The renames reach the disk with their folders.
    for (const std::string& name : folders) {
        const int folder = ::open(name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (folder >= 0) {
            ::fsync(folder);
            ::close(folder);
        }
    }
}

void ReplaceFile(const std::string& fileName, const WriteContent& write) {
    FileReplacements file;
    file.Prepare(fileName, write);
    file.Commit();
}

void ReplaceFileWith(const std::string& fileName, std::string_view bytes) {
    ReplaceFile(fileName, [&](int fd) {
        if (!WriteAll(fd, bytes.data(), bytes.size())) throw SaveError(fileName, Reason(errno));
    });
}

}  // namespace fw
