#include "analysis/SampleWriter.h"

#include <cerrno>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <future>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace analysis {
namespace {

// Text is formatted into blocks of this size and written one block per call.
constexpr std::size_t kBlockSize = std::size_t{1} << 20;

std::string Reason(int error) { return std::strerror(error); }

SampleWriteError SaveError(const std::string& name, const std::string& reason) {
    return SampleWriteError("Cannot save file \"" + name + "\": " + reason);
}

SampleWriteError NotFinite(const std::string& name, std::size_t index) {
    return SaveError(name, "sample " + std::to_string(index + 1) + " is not a finite number");
}

// Writes all of [data, data + size); false with errno set on failure.
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

// Formats up to kBlockValues samples from `first` into block; returns the
// text's end, or nullptr with bad set to the index of a value not finite.
constexpr std::size_t kBlockValues = kBlockSize / kMaxSampleLine;

char* FormatBlock(std::span<const double> values, std::size_t first, char* block, std::size_t& bad) {
    const std::size_t end = std::min(values.size(), first + kBlockValues);
    char* p = block;
    for (std::size_t i = first; i < end; ++i) {
        p = FormatSampleLine(values[i], p);
        if (!p) {
            bad = i;
            return nullptr;
        }
    }
    return p;
}

// Formats and writes the samples block by block, in file order; the
// formatting, the costly part, runs on two threads for long signals, each
// block written whole once every block before it is. Throws SaveError.
void WriteBlocks(int fd, std::span<const double> values, const std::string& name) {
    std::vector<char> blocks(2 * kBlockSize);
    char* const own = blocks.data();
    char* const other = own + kBlockSize;
    const auto write = [&](const char* begin, const char* end) {
        if (!WriteAll(fd, begin, static_cast<std::size_t>(end - begin))) throw SaveError(name, Reason(errno));
    };
    for (std::size_t first = 0; first < values.size(); first += 2 * kBlockValues) {
        const std::size_t second = first + kBlockValues;
        std::size_t bad = 0, badSecond = 0;
        std::future<char*> later;
        if (second < values.size()) {
            later = std::async(std::launch::async, [&] { return FormatBlock(values, second, other, badSecond); });
        }
        const char* end = FormatBlock(values, first, own, bad);
        const char* endSecond = later.valid() ? later.get() : other;
        if (!end) throw NotFinite(name, bad);
        write(own, end);
        if (!endSecond) throw NotFinite(name, badSecond);
        write(other, endSecond);
    }
}

std::string FolderOf(const std::string& fileName) {
    const std::size_t slash = fileName.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : fileName.substr(0, slash);
}

// The temporary file beside the target: created exclusively, so that two
// saves never share one, with the target's permissions when it exists.
int CreateTemporary(const std::string& fileName, std::string& tempName) {
    struct stat target {};
    const bool exists = ::stat(fileName.c_str(), &target) == 0 && S_ISREG(target.st_mode);
    for (int attempt = 0;; ++attempt) {
        tempName = fileName + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
        const int fd = ::open(tempName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            if (exists) ::fchmod(fd, target.st_mode & 07777);
            return fd;
        }
        if (errno != EEXIST || attempt == 100) return -1;
    }
}

}  // namespace

char* FormatSampleLine(double value, char* out) {
    if (!std::isfinite(value)) return nullptr;
    char* const end = std::to_chars(out, out + kMaxSampleLine - 1, value).ptr;
    *end = '\n';
    return end + 1;
}

std::string FormatSamples(std::span<const double> values, const std::string& name) {
    std::string text(values.size() * kMaxSampleLine, '\0');
    char* p = text.data();
    for (std::size_t i = 0; i < values.size(); ++i) {
        p = FormatSampleLine(values[i], p);
        if (!p) throw NotFinite(name, i);
    }
    text.resize(static_cast<std::size_t>(p - text.data()));
    return text;
}

void WriteSamples(int fd, std::span<const double> values, const std::string& name) { WriteBlocks(fd, values, name); }

// Writes through `write` into a temporary beside fileName, renamed over it once complete.
template <class Write>
void SaveAtomically(const std::string& fileName, Write write) {
    std::string tempName;
    const int fd = CreateTemporary(fileName, tempName);
    if (fd < 0) throw SaveError(fileName, Reason(errno));
    // Every failure from here on removes the temporary file; the target is
    // touched only by the final rename.
    bool stillOpen = true;
    try {
        write(fd);
        if (::fsync(fd) != 0) throw SaveError(fileName, Reason(errno));
        stillOpen = false;
        if (::close(fd) != 0) throw SaveError(fileName, Reason(errno));
        if (::rename(tempName.c_str(), fileName.c_str()) != 0) throw SaveError(fileName, Reason(errno));
    } catch (...) {
        if (stillOpen) ::close(fd);
        ::unlink(tempName.c_str());
        throw;
    }
    // The rename itself reaches the disk with the folder.
    const int folder = ::open(FolderOf(fileName).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
}

void SaveSamples(const std::string& fileName, std::span<const double> values) {
    SaveAtomically(fileName, [&](int fd) { WriteBlocks(fd, values, fileName); });
}

void SaveText(const std::string& fileName, const std::string& text) {
    SaveAtomically(fileName, [&](int fd) {
        if (!WriteAll(fd, text.data(), text.size())) throw SaveError(fileName, Reason(errno));
    });
}

}  // namespace analysis
