#pragma once
// The error classes of the framework. Every error the tool reports is one of
// these; the window's event dispatch catches Exception and shows Message().

#include <cstdint>
#include <exception>
#include <new>
#include <stdexcept>
#include <string>
#include <utility>

namespace fw {

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    const std::string& Message() const noexcept { return message_; }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

// A text that does not convert to the number asked for.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// Floating-point errors: the base and the two the transforms can raise.
class EMathError : public Exception {
public:
    using Exception::Exception;
};

class EOverflow : public EMathError {
public:
    EOverflow() : EMathError("Floating point overflow") {}
};

class EInvalidOp : public EMathError {
public:
    EInvalidOp() : EMathError("Invalid floating point operation") {}
};

class EOutOfMemory : public Exception {
public:
    EOutOfMemory() : Exception("Out of memory") {}
    using Exception::Exception;
};

// The silent abort: the event dispatch swallows it without a message.
class EAbort : public Exception {
public:
    EAbort() : Exception("Operation aborted") {}
    using Exception::Exception;
};

// An index outside a list.
class EListError : public Exception {
public:
    using Exception::Exception;
};

// The list error for an index outside 0 ... Count-1.
inline EListError ListIndexError(int64_t index) {
    return EListError("List index out of bounds (" + std::to_string(index) + ")");
}

// Runs `work` and reports memory the system refused, or a size beyond what a
// container can hold, as EOutOfMemory: the one error every layer shows for it.
template <class Work>
decltype(auto) MapOutOfMemory(Work&& work) {
    try {
        return std::forward<Work>(work)();
    } catch (const std::bad_alloc&) {
        throw EOutOfMemory();
    } catch (const std::length_error&) {
        throw EOutOfMemory();
    }
}

}  // namespace fw
