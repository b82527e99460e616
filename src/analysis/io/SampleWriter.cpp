#include "analysis/io/SampleWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <array>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

#include "analysis/io/ShortestDouble.h"
#include "framework/core/RunBoth.h"

namespace analysis {
namespace {

// Text is formatted into blocks of this size and written one block per call.
constexpr std::size_t kBlockSize = std::size_t{1} << 20;

std::string Reason(int error) { return std::strerror(error); }

using fw::SaveError;
using fw::WriteAll;

SampleWriteError NotFinite(const std::string& name, std::size_t index) {
    return SaveError(name, "sample " + std::to_string(index + 1) + " is not a finite number");
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

// Formats the samples block by block on the caller's thread and a helper
// and writes each block whole, in file order, as soon as it and every block
// before it are formatted: the helper formats while the caller writes, and
// each takes the next block free, so neither waits on the other's share.
// A ring of blocks bounds how far the formatting runs ahead.
class BlockPipeline {
public:
    BlockPipeline(int fd, std::span<const double> values, const std::string& name)
        : fd_(fd), values_(values), name_(name), blocks_((values.size() + kBlockValues - 1) / kBlockValues) {
        // Only as many blocks as the samples fill, each only as long as their
        // text may be, and left unfilled: a file of a few thousand samples
        // (a batch over many) should not cost megabytes of fresh pages.
        const std::size_t bytes = std::min(kBlockSize, values.size() * kMaxSampleLine);
        for (std::size_t i = 0; i < std::min(kRing, blocks_); ++i) ring_[i].text.reset(new char[bytes]);
        struct stat status {};
        // A regular file's pages start for the disk as they are written, so
        // that the sync which ends a save finds little left to do.
        if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode)) offset_ = ::lseek(fd, 0, SEEK_CUR);
    }

    void Run() {
        std::thread helper;
        // Among several runs at once the other cores are taken already.
        if (blocks_ > 1 && !fw::SeveralRunsAtOnce::OnThisThread()) {
            try {
                helper = std::thread([this] { HelperLoop(); });
            } catch (const std::system_error&) {
                // The caller formats every block itself.
            }
        }
        try {
            WriterLoop();
        } catch (...) {
            Stop(helper);
            throw;
        }
        Stop(helper);
    }

private:
    static constexpr std::size_t kRing = 4;
    struct Slot {
        std::unique_ptr<char[]> text;
        char* end = nullptr;  // nullptr: a value not finite at `bad`
        std::size_t bad = 0;
        bool ready = false;
    };

    bool CanClaim() const { return next_ < blocks_ && next_ < written_ + kRing; }

    // Claims and formats the next block; call with the lock held.
    void FormatNext(std::unique_lock<std::mutex>& lock) {
        const std::size_t block = next_++;
        Slot& slot = ring_[block % kRing];
        lock.unlock();
        slot.end = FormatBlock(values_, block * kBlockValues, slot.text.get(), slot.bad);
        lock.lock();
        slot.ready = true;
        changed_.notify_all();
    }

    void HelperLoop() {
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            changed_.wait(lock, [this] { return stopped_ || CanClaim() || next_ == blocks_; });
            if (stopped_ || next_ == blocks_) return;
            FormatNext(lock);
        }
    }

    void WriterLoop() {
        std::unique_lock<std::mutex> lock(mutex_);
        while (written_ < blocks_) {
            Slot& slot = ring_[written_ % kRing];
            if (slot.ready) {
                lock.unlock();
                Write(slot);
                lock.lock();
                slot.ready = false;
                ++written_;
                changed_.notify_all();
            } else if (CanClaim()) {
                FormatNext(lock);
            } else {
                changed_.wait(lock);
            }
        }
    }

    void Write(const Slot& slot) {
        if (!slot.end) throw NotFinite(name_, slot.bad);
        const auto size = static_cast<std::size_t>(slot.end - slot.text.get());
        if (!WriteAll(fd_, slot.text.get(), size)) throw SaveError(name_, Reason(errno));
        if (offset_ < 0) return;
        ::sync_file_range(fd_, offset_, static_cast<off_t>(size), SYNC_FILE_RANGE_WRITE);
        offset_ += static_cast<off_t>(size);
    }

    void Stop(std::thread& helper) {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            stopped_ = true;
        }
        changed_.notify_all();
        if (helper.joinable()) helper.join();
    }

    const int fd_;
    const std::span<const double> values_;
    const std::string& name_;
    const std::size_t blocks_;
    std::array<Slot, kRing> ring_;
    off_t offset_ = -1;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::size_t next_ = 0;     // the next block to format
    std::size_t written_ = 0;  // blocks written
    bool stopped_ = false;
};

void WriteBlocks(int fd, std::span<const double> values, const std::string& name) {
    BlockPipeline(fd, values, name).Run();
}

}  // namespace

char* FormatSampleLine(double value, char* out) {
    if (!std::isfinite(value)) return nullptr;
    char* const end = WriteShortest(value, out);
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

void SaveSamples(const std::string& fileName, std::span<const double> values) {
    fw::ReplaceFile(fileName, [&](int fd) { WriteBlocks(fd, values, fileName); });
}

void SaveText(const std::string& fileName, const std::string& text) { fw::ReplaceFileWith(fileName, text); }

}  // namespace analysis
