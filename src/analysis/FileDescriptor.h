#pragma once
// An open file's descriptor that is closed when it goes, so that every way out
// of a read, a refusal or an exception included, closes the file.

#include <unistd.h>

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

}  // namespace analysis
