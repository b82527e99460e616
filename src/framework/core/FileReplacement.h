#pragma once
// New contents for files: each is written whole to a temporary in the folder
// of the file it replaces, flushed to the disk, and renamed over that file
// only when every file of the set is complete. A failure before that leaves
// every file as it was and no temporary behind.
//
// A name that is a symbolic link is followed: the file it points to is
// replaced, in that file's folder, and the link stays. Temporaries have short
// names of their own, so any name the file system takes can be written.
//
// A FIFO or a character device is not replaced: it is opened and written as
// it stands, the way a shell's redirection writes it, and in a set only once
// every file of the set is in place. Nothing can be taken back there, so a
// failure while writing says it may have received part of the content. "/dev/stdout"
// and "/dev/stderr" are the descriptors already open, written from where they
// stand. Anything else that is not a regular file (a folder, a socket, a
// block device) is refused before anything is written.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/core/Exceptions.h"

namespace fw {

// A file that could not be written; the message names it and the system's reason.
class FileSaveError : public Exception {
public:
    using Exception::Exception;
};

// "Cannot save file "<name>": <reason>".
FileSaveError SaveError(const std::string& fileName, const std::string& reason);

// Writes all of [data, data + size) to fd, retrying an interrupted write;
// false with errno set when it fails.
bool WriteAll(int fd, const char* data, std::size_t size);

// Receives a descriptor (the temporary's, or a stream's) and writes the new
// content to it; throws FileSaveError when it cannot.
using WriteContent = std::function<void(int fd)>;

class FileReplacements {
public:
    FileReplacements() = default;
    FileReplacements(const FileReplacements&) = delete;
    FileReplacements& operator=(const FileReplacements&) = delete;
    // Removes the temporaries not renamed and drops the streams' content.
    ~FileReplacements();

    // Writes the new content of fileName to a temporary and flushes it; a
    // stream's content is held in memory until Commit. Throws FileSaveError
    // naming fileName.
    void Prepare(const std::string& fileName, const WriteContent& write);
    // Renames every temporary over its file, in the order they were
    // prepared, then writes the streams in theirs. Throws FileSaveError when
    // a rename or a stream fails; the streams are not written after a failed
    // rename.
    void Commit();

private:
    struct Pending {
        std::string name;  // as the caller gave it, for messages
        std::string target;
        std::string temporary;
    };
    struct HeldStream {
        std::string name;
        int descriptor;  // standard output or error; -1 for a stream opened by name
        int content;     // an anonymous memory file
    };
    std::vector<Pending> pending_;
    std::vector<HeldStream> streams_;
};

// Writes to a descriptor already open (a program's standard output) as a
// stream is written: from where it stands, with a reader that has gone an
// error rather than the end of the program. `name` is for messages.
void WriteToDescriptor(const std::string& name, int fd, const WriteContent& write);

// A set of one file; a stream is written at once, as the content is made.
void ReplaceFile(const std::string& fileName, const WriteContent& write);

// A set of one file whose new content is `bytes`.
void ReplaceFileWith(const std::string& fileName, std::string_view bytes);

}  // namespace fw
