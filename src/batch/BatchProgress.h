#pragma once
// How far a long run is, on a terminal: "quelmar-batch: 3 of 120 inputs,
// 2.4 s" on standard error once the run passes a second, redrawn in place as
// inputs end, cleared before each message and drawn again below it, and
// cleared at the end, so that the messages read as they would without it. When standard error is no
// terminal (a pipe, a file) nothing is drawn and the messages pass as they are.

#include <chrono>
#include <cstddef>
#include <memory>
#include <ostream>
#include <streambuf>
#include <string>

namespace batch {

class BatchProgress {
public:
    // errors: where the run's messages go; terminal: the descriptor they
    // reach, drawn on only when it is a terminal.
    BatchProgress(std::ostream& errors, int terminal, std::size_t inputs);
    ~BatchProgress();
    BatchProgress(const BatchProgress&) = delete;
    BatchProgress& operator=(const BatchProgress&) = delete;

    // The stream the run's messages go through.
    std::ostream& Messages() { return messages_ ? *messages_ : errors_; }

    // An input has ended; done of them have.
    void Ended(std::size_t done);

private:
    class ClearingBuffer;

    void Draw();
    void Clear();

    std::ostream& errors_;
    int terminal_ = -1;  // -1: no terminal, nothing drawn
    std::size_t inputs_;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    std::chrono::steady_clock::time_point drawn_{};
    std::string line_;    // empty until the run passes a second
    bool shown_ = false;  // whether line_ stands on the terminal
    std::unique_ptr<ClearingBuffer> buffer_;
    std::unique_ptr<std::ostream> messages_;
};

}  // namespace batch
