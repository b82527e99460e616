#pragma once
// New contents for files: each is written whole to a temporary in the folder
// of the file it replaces, flushed to the disk, and renamed over that file
// only when every file of the set is complete. A failure before that leaves
// every file as it was and no temporary behind.
//
// A name that is a symbolic link is followed: the file it points to is
// replaced, in that file's folder, and the link stays. Temporaries have short
// names of their own, so any name the file system takes can be written.

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

// Receives the temporary's descriptor and writes the new content to it;
// throws FileSaveError when it cannot.
using WriteContent = std::function<void(int fd)>;

class FileReplacements {
public:
    FileReplacements() = default;
    FileReplacements(const FileReplacements&) = delete;
    FileReplacements& operator=(const FileReplacements&) = delete;
    // Removes the temporaries not renamed.
    ~FileReplacements();

    // Writes the new content of fileName to a temporary and flushes it.
    // Throws FileSaveError naming fileName.
    void Prepare(const std::string& fileName, const WriteContent& write);
    // Renames every temporary over its file, in the order they were
    // prepared. Throws FileSaveError when a rename fails.
    void Commit();

private:
    struct Pending {
        std::string name;  // as the caller gave it, for messages
        std::string target;
        std::string temporary;
    };
    std::vector<Pending> pending_;
};

// A set of one file.
void ReplaceFile(const std::string& fileName, const WriteContent& write);

// A set of one file whose new content is `bytes`.
void ReplaceFileWith(const std::string& fileName, std::string_view bytes);

}  // namespace fw
