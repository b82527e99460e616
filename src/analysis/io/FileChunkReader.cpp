#include "analysis/io/FileChunkReader.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "analysis/io/FileDescriptor.h"

namespace analysis {

FileChunkReader::FileChunkReader(int fd, std::size_t chunk, std::size_t size, int64_t fileBytes, ReadProgress progress)
    : fd_(fd),
      chunk_(std::max<std::size_t>(chunk, 1)),
      bytes_(std::max<std::size_t>(size, 1)),
      fileBytes_(fileBytes),
      progress_(std::move(progress)) {}

bool FileChunkReader::Fill() {
    if (exhausted_) return false;
    if (begin_ > 0) {
        std::memmove(bytes_.data(), bytes_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    if (end_ == bytes_.size()) bytes_.resize(bytes_.size() * 2);
    const std::size_t ask = std::min(bytes_.size() - end_, chunk_);
    // A read that fails after some bytes of the chunk ends the data at the
    // next Fill, so that the bytes before it are looked at as a chunk first.
    const ReadCount got = failed_ != 0 ? ReadCount{0, failed_} : ReadFully(fd_, bytes_.data() + end_, ask);
    if (got.bytes == 0) {
        exhausted_ = true;
        error_ = got.error;
        return false;
    }
    failed_ = got.error;
    const std::size_t fresh = got.bytes;
    bytesRead_ += static_cast<int64_t>(fresh);
    if (progress_ && !progress_(bytesRead_, fileBytes_)) {
        cancelled_ = exhausted_ = true;
        return false;
    }
    const char* start = bytes_.data() + end_;
    if (const void* stop = std::memchr(start, '\x1A', fresh)) {
        end_ += static_cast<std::size_t>(static_cast<const char*>(stop) - start);
        exhausted_ = true;
        return static_cast<const char*>(stop) != start;
    }
    end_ += fresh;
    return true;
}

}  // namespace analysis
