#include "framework/core/FileReplacement.h"

#include <fcntl.h>
#include <pthread.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <set>
#include <vector>

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

// What a save does with a name: replace a file, or write a stream as it
// stands (opened by name, or one of the descriptors already open).
struct Destination {
    bool stream = false;
    int descriptor = -1;
};

// Refuses what is neither a file to replace nor a stream to write, before
// anything is written. A name that cannot be looked at is a file: replacing
// it tells why it cannot be written.
Destination DestinationOf(const std::string& fileName) {
    if (fileName == "/dev/stdout") return {true, STDOUT_FILENO};
    if (fileName == "/dev/stderr") return {true, STDERR_FILENO};
    struct stat existing {};
    if (::stat(fileName.c_str(), &existing) != 0 || S_ISREG(existing.st_mode)) return {};
    if (S_ISFIFO(existing.st_mode) || S_ISCHR(existing.st_mode)) return {true};
    if (S_ISDIR(existing.st_mode)) throw SaveError(fileName, Reason(EISDIR));
    const char* what = S_ISSOCK(existing.st_mode)  ? "Is a socket"
                       : S_ISBLK(existing.st_mode) ? "Is a block device"
                                                   : "Is not a file";
    throw SaveError(fileName, std::string(what) + "; only a file, a FIFO or a character device is written");
}

// SIGPIPE held back on this thread while a stream is written, so that a
// reader that has gone is the error EPIPE, not the end of the program; the
// signal that write raised is taken back before it is let through again.
class PipeSignalHeld {
public:
    PipeSignalHeld() {
        sigemptyset(&pipe_);
        sigaddset(&pipe_, SIGPIPE);
        sigset_t pending;
        wasPending_ = ::sigpending(&pending) == 0 && sigismember(&pending, SIGPIPE);
        ::pthread_sigmask(SIG_BLOCK, &pipe_, &previous_);
    }
    ~PipeSignalHeld() {
        sigset_t pending;
        if (!wasPending_ && ::sigpending(&pending) == 0 && sigismember(&pending, SIGPIPE)) {
            const timespec now{};
            ::sigtimedwait(&pipe_, nullptr, &now);
        }
        ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
    }
    PipeSignalHeld(const PipeSignalHeld&) = delete;
    PipeSignalHeld& operator=(const PipeSignalHeld&) = delete;

private:
    sigset_t pipe_{};
    sigset_t previous_{};
    bool wasPending_ = false;
};

constexpr const char* kPartial = "; it may have received part of the data";

// Writes a stream the way a shell's redirection does: no temporary, no
// rename, and no truncation, which a FIFO or a device does not have. A
// failure once it is open may have let part of the content through.
void WriteStream(const std::string& fileName, int descriptor, const WriteContent& write) {
    const bool own = descriptor < 0;
    // What the program printed before comes first.
    if (descriptor == STDOUT_FILENO) std::fflush(stdout);
    const int fd = own ? ::open(fileName.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC) : descriptor;
    if (fd < 0) throw SaveError(fileName, Reason(errno));
    try {
        const PipeSignalHeld held;
        write(fd);
    } catch (const FileSaveError& error) {
        if (own) ::close(fd);
        throw FileSaveError(error.Message() + kPartial);
    } catch (...) {
        if (own) ::close(fd);
        throw;
    }
    if (own && ::close(fd) != 0) throw SaveError(fileName, Reason(errno) + kPartial);
}

// Copies a held content, from its start, to a stream.
void CopyHeld(int content, int fd, const std::string& fileName) {
    if (::lseek(content, 0, SEEK_SET) != 0) throw SaveError(fileName, Reason(errno));
    std::vector<char> block(std::size_t{1} << 20);
    for (;;) {
        const ssize_t got = ::read(content, block.data(), block.size());
        if (got == 0) return;
        if (got < 0 && errno == EINTR) continue;
        if (got < 0 || !WriteAll(fd, block.data(), static_cast<std::size_t>(got))) {
            throw SaveError(fileName, Reason(errno));
        }
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
    for (const HeldStream& stream : streams_) ::close(stream.content);
}

void FileReplacements::Prepare(const std::string& fileName, const WriteContent& write) {
    // A folder in the way is found here, before anything is written, not by
    // the rename, when other files of the set may already be replaced.
    const Destination destination = DestinationOf(fileName);
    if (destination.stream) {
        // Held whole, so that a content that fails to be made reaches no reader.
        const int content = ::memfd_create("quelmar-save", MFD_CLOEXEC);
        if (content < 0) throw SaveError(fileName, Reason(errno));
        try {
            write(content);
            streams_.push_back({fileName, destination.descriptor, content});
        } catch (...) {
            ::close(content);
            throw;
        }
        return;
    }
    Pending file{fileName, FinalTarget(fileName), {}};
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
    // Streams last: what reads them finds the files in place.
    while (!streams_.empty()) {
        const HeldStream& stream = streams_.front();
        WriteStream(stream.name, stream.descriptor, [&](int fd) { CopyHeld(stream.content, fd, stream.name); });
        ::close(stream.content);
        streams_.erase(streams_.begin());
    }
}

void WriteToDescriptor(const std::string& name, int fd, const WriteContent& write) { WriteStream(name, fd, write); }

void ReplaceFile(const std::string& fileName, const WriteContent& write) {
    if (const Destination destination = DestinationOf(fileName); destination.stream) {
        WriteStream(fileName, destination.descriptor, write);
        return;
    }
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
