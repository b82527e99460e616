#pragma once
// The shortest text that reads back to the same double ("0.1", "1e+300"):
// what saved files, recipes and reports hold, so that a value written is the
// value read bit for bit, whatever the user's regional settings.

#include <charconv>
#include <string>

namespace fw {

inline std::string ShortestText(double value) {
    // The longest such text, "-2.2250738585072014e-308", has 24 characters.
    char text[32];
    return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

}  // namespace fw
