#pragma once
// An open file's descriptor that is closed when it goes, so that every way out
// of a read, a refusal or an exception included, closes the file; and the one
// way every reader reads a run of a file's bytes: a read a signal interrupts
// is tried again, and a short read is followed by more until the run is whole
// or the file ends.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace analysis {

class FileDescriptor {
public:
    // fd: what open() returned; negative when it failed, then nothing is closed.
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return fd_; }

private:
    int fd_;
};

struct ReadCount {
    std::size_t bytes = 0;  // fewer than asked for only where the file ended or a read failed
    int error = 0;          // the system's error number of a failed read, else 0
};

// Reads `bytes` bytes of fd into `into`: from `offset` when one is given (the
// descriptor's position is then left as it was), else from its position.
ReadCount ReadFully(int fd, char* into, std::size_t bytes, std::optional<int64_t> offset = std::nullopt);

// ReadFully from `offset`, returning the count; throws EFileUnreadable naming
// fileName when a read fails.
std::size_t ReadFileAt(int fd, const std::string& fileName, char* into, std::size_t bytes, int64_t offset);

// The rest of the open file fd from its position (the start, for a file just
// opened) to its end; a pipe too. Throws EFileUnreadable naming fileName when
// a read fails, fw::EOutOfMemory when there is no room for it.
std::vector<char> ReadWholeFile(int fd, const std::string& fileName);

}  // namespace analysis
