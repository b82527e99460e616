#include "analysis/FileChunkReader.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

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
    ssize_t got = 0;
    do {
        got = ::read(fd_, bytes_.data() + end_, ask);
    } while (got < 0 && errno == EINTR);
    if (got <= 0) {
        exhausted_ = true;
        error_ = got < 0 ? errno : 0;
        return false;
    }
    const auto fresh = static_cast<std::size_t>(got);
    bytesRead_ += got;
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
