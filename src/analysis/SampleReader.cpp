#include "analysis/SampleReader.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "analysis/SampleNumber.h"
#include "framework/core/Exceptions.h"

namespace analysis {
namespace {

struct CloseFile {
    void operator()(std::FILE* f) const noexcept { std::fclose(f); }
};

// A window on the file: the bytes read but not yet consumed. A number that
// runs into the end of the window is scanned again after Fill(), which keeps
// the unconsumed bytes and grows the window when a single number fills it.
class FileWindow {
public:
    explicit FileWindow(std::FILE* file) : file_(file), bytes_(kInitialSize) {}

    const char* Begin() const { return bytes_.data() + begin_; }
    const char* End() const { return bytes_.data() + end_; }
    // Nothing follows End(): the file, or its data before a Ctrl-Z, is exhausted.
    bool LastData() const { return exhausted_; }
    bool Failed() const { return failed_; }
    void Consume(const char* upTo) { begin_ = static_cast<std::size_t>(upTo - bytes_.data()); }

    // Reads more bytes after End(); false when none could be added.
    bool Fill()
    {
        if (exhausted_) return false;
        if (begin_ > 0) {
            std::memmove(bytes_.data(), bytes_.data() + begin_, end_ - begin_);
            end_ -= begin_;
            begin_ = 0;
        }
        if (end_ == bytes_.size()) bytes_.resize(bytes_.size() * 2);
        const std::size_t got = std::fread(bytes_.data() + end_, 1, bytes_.size() - end_, file_);
        if (got == 0) {
            exhausted_ = true;
            failed_ = std::ferror(file_) != 0;
            return false;
        }
        const char* fresh = bytes_.data() + end_;
        if (const void* stop = std::memchr(fresh, '\x1A', got)) {
            end_ += static_cast<std::size_t>(static_cast<const char*>(stop) - fresh);
            exhausted_ = true;
            return static_cast<const char*>(stop) != fresh;
        }
        end_ += got;
        return true;
    }

private:
    static constexpr std::size_t kInitialSize = std::size_t{1} << 20;

    std::FILE* file_;
    std::vector<char> bytes_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    bool exhausted_ = false;
    bool failed_ = false;
};

// The text a warning quotes: up to the next blank, at most 20 characters.
std::string QuoteStart(const char* p, const char* end)
{
    std::string text;
    for (; p < end && !IsSampleBlank(*p) && text.size() < 20; ++p) {
        const unsigned char c = static_cast<unsigned char>(*p);
        text += (c >= 0x20 && c < 0x7F) ? static_cast<char>(c) : '?';
    }
    return text;
}

ReadResult ReadFrom(std::FILE* file, double* x, int32_t n)
{
    ReadResult result;
    FileWindow window(file);
    int64_t line = 1;
    while (result.stored < n) {
        const char* p = window.Begin();
        const char* end = window.End();
        while (p < end && IsSampleBlank(*p)) line += *p++ == '\n';
        window.Consume(p);
        if (p == end) {
            if (window.Fill()) continue;
            result.stop = window.Failed() ? ReadStop::ReadFailed : ReadStop::FileEnded;
            return result;
        }
        const SampleNumber number = ScanSampleNumber(p, end, window.LastData());
        if (number.status == SampleNumberStatus::NeedMore) {
            // Scanned again with more text, or as the last data when none came.
            if (!window.Fill() && window.Failed()) {
                result.stop = ReadStop::ReadFailed;
                return result;
            }
            continue;
        }
        if (number.status == SampleNumberStatus::NotANumber) {
            result.stop = ReadStop::NotANumber;
            result.line = line;
            result.text = QuoteStart(p, end);
            return result;
        }
        x[result.stored++] = number.value;
        line += number.lineFeeds;
        window.Consume(number.end);
    }
    return result;
}

}  // namespace

ReadResult ReadSamples(const std::string& fileName, double* x, int32_t n)
{
    std::unique_ptr<std::FILE, CloseFile> file(std::fopen(fileName.c_str(), "rb"));
    if (!file) {
        ReadResult result;
        result.stop = ReadStop::CannotOpen;
        return result;
    }
    // The window reads large blocks itself; a second buffer would only copy.
    std::setvbuf(file.get(), nullptr, _IONBF, 0);
    try {
        return ReadFrom(file.get(), x, n);
    } catch (const std::bad_alloc&) {
        throw fw::EOutOfMemory();
    }
}

}  // namespace analysis
