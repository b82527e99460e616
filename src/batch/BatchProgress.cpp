#include "batch/BatchProgress.h"

#include <unistd.h>

#include <cstdio>
#include <string>

#include "framework/core/FileReplacement.h"

namespace batch {

// Unbuffered: each message clears the line before it reaches the terminal,
// and the line is drawn again below the message once it ends.
class BatchProgress::ClearingBuffer : public std::streambuf {
public:
    ClearingBuffer(std::streambuf& target, BatchProgress& progress) : target_(target), progress_(progress) {}

protected:
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
        const char text = traits_type::to_char_type(c);
        return xsputn(&text, 1) == 1 ? c : traits_type::eof();
    }
    std::streamsize xsputn(const char* text, std::streamsize count) override {
        progress_.Clear();
        const std::streamsize written = target_.sputn(text, count);
        if (count > 0 && text[count - 1] == '\n') progress_.Draw();
        return written;
    }
    int sync() override { return target_.pubsync(); }

private:
    std::streambuf& target_;
    BatchProgress& progress_;
};

BatchProgress::BatchProgress(std::ostream& errors, int terminal, std::size_t inputs)
    : errors_(errors), inputs_(inputs) {
    if (!::isatty(terminal) || !errors.rdbuf()) return;
    terminal_ = terminal;
    buffer_ = std::make_unique<ClearingBuffer>(*errors.rdbuf(), *this);
    messages_ = std::make_unique<std::ostream>(buffer_.get());
}

BatchProgress::~BatchProgress() { Clear(); }

void BatchProgress::Ended(std::size_t done) {
    using namespace std::chrono;
    const steady_clock::time_point now = steady_clock::now();
    if (terminal_ < 0 || now - start_ < seconds(1) || now - drawn_ < milliseconds(100)) return;
    // The last input's line would only flash before it is cleared.
    if (done == inputs_) return Clear();
    char text[96];
    std::snprintf(text, sizeof text, "quelmar-batch: %zu of %zu inputs, %.1f s", done, inputs_,
                  duration<double>(now - start_).count());
    Clear();
    line_ = text;
    Draw();
    drawn_ = now;
}

void BatchProgress::Draw() {
    if (line_.empty() || shown_) return;
    errors_.flush();
    const std::string text = "\r" + line_;
    fw::WriteAll(terminal_, text.data(), text.size());
    shown_ = true;
}

void BatchProgress::Clear() {
    if (!shown_) return;
    const std::string blank = "\r" + std::string(line_.size(), ' ') + "\r";
    fw::WriteAll(terminal_, blank.data(), blank.size());
    shown_ = false;
}

}  // namespace batch
