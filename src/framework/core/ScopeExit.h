#pragma once
// Runs a function when the scope ends, however it ends: for state that an
// operation changes for a while and must put back even when it fails.

#include <utility>

namespace fw {

template <class Restore>
class ScopeExit {
public:
    explicit ScopeExit(Restore restore) : restore_(std::move(restore)) {}
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;
    ~ScopeExit() { restore_(); }

private:
    Restore restore_;
};

}  // namespace fw
