#pragma once
// A window on a file being read: the bytes read but not yet consumed. A scan
// that runs into the end of the window asks Fill() for more and scans again;
// Fill() keeps the unconsumed bytes and grows the window when they fill it,
// so a token longer than a chunk is still seen whole.
//
// The file is read as bytes: a Ctrl-Z (0x1A) ends the data, and an interrupted
// read is retried. A failed read ends the data too, with its error kept.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace analysis {

// The file is read in chunks of this size at most.
inline constexpr std::size_t kReadChunkBytes = std::size_t{1} << 20;

// Told after every chunk how many bytes have been read of the fileBytes the
// file held when it was opened; false cancels the read before the next chunk.
using ReadProgress = std::function<bool(int64_t bytesRead, int64_t fileBytes)>;

class FileChunkReader {
public:
    // Reads the open file fd (not owned) a chunk of at most `chunk` bytes at a
    // time into a window of `size` bytes to start with (both at least 1).
    // fileBytes is only passed on to the progress callback.
    FileChunkReader(int fd, std::size_t chunk, std::size_t size, int64_t fileBytes = 0, ReadProgress progress = {});

    const char* Begin() const { return bytes_.data() + begin_; }
    const char* End() const { return bytes_.data() + end_; }
    // Nothing follows End(): the file, or its data before a Ctrl-Z, is exhausted.
    bool LastData() const { return exhausted_; }
    // The system's error number when a read failed, else 0.
    int Error() const { return error_; }
    int64_t BytesRead() const { return bytesRead_; }
    // The progress callback asked to stop; the last chunk is not looked at.
    bool Cancelled() const { return cancelled_; }
    // The bytes before upTo (within the window) are done with.
    void Consume(const char* upTo) { begin_ = static_cast<std::size_t>(upTo - bytes_.data()); }

    // Reads one more chunk after End(); false when no byte could be added.
    bool Fill();

private:
    int fd_;
    std::size_t chunk_;
    std::vector<char> bytes_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    bool exhausted_ = false;
    int error_ = 0;
    int failed_ = 0;  // the error of a read that failed after some bytes, told at the next Fill
    int64_t fileBytes_;
    int64_t bytesRead_ = 0;
    ReadProgress progress_;
    bool cancelled_ = false;
};

}  // namespace analysis
