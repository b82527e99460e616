#pragma once
// Everything the user can do to the window, one table row each: what the
// row does to the window and tells the model. arg picks among the row's
// variants (which file, which text, which chart, a good or a bad path), so a
// sequence of (row, arg) pairs replays exactly.

#include <cstdint>
#include <span>

#include "SoakSession.h"

namespace soak {

struct SoakAction {
    const char* name;
    int weight;  // how often a random session does it, against the others
    void (*run)(SoakSession& session, uint32_t arg);
};

extern const std::span<const SoakAction> kSoakActions;

// With the panel shown, the box and the lines take the panel's T of the
// viewed detail level whenever the level or its T changed: after every
// action, and within one that reads the box after such a change.
void FollowPanel(SoakSession& s);

}  // namespace soak
