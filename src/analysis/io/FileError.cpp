#include "analysis/io/FileError.h"

#include <cstring>

namespace analysis {
namespace {

void AppendCode(std::string& text, unsigned char c) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    text += {'\\', 'x', kHex[c >> 4], kHex[c & 0xF]};
}

// lead, the quoted name, then tail. Built by appending: GCC 12 warns
// (-Wrestrict) of a text put before a temporary string, a false alarm
// that warnings as errors would turn into a broken optimised build.
std::string AboutFile(const char* lead, const std::string& fileName, const std::string& tail) {
    std::string text = lead;
    text += QuotedName(fileName);
    text += tail;
    return text;
}

}  // namespace

std::string CannotOpenText(const std::string& fileName, int error) {
    return AboutFile("Cannot open file ", fileName, std::string(": ") + std::strerror(error));
}

std::string NotRegularText(const std::string& fileName) {
    return AboutFile("The file ", fileName, " is not a regular file");
}

std::string CannotReadText(const std::string& fileName, int error) {
    return AboutFile("Cannot read file ", fileName, std::string(": ") + std::strerror(error));
}

std::string QuotedName(const std::string& name) {
    std::string text(1, '"');
    text += ShownName(name);
    text += '"';
    return text;
}

std::string QuoteBytes(const char* begin, const char* end) {
    std::string text;
    const bool cut = end - begin > static_cast<std::ptrdiff_t>(kQuotedBytes);
    const char* stop = cut ? begin + kQuotedBytes : end;
    for (const char* p = begin; p < stop; ++p) {
        const auto c = static_cast<unsigned char>(*p);
        if (c >= 0x20 && c < 0x7F) {
            text += static_cast<char>(c);
        } else {
            AppendCode(text, c);
        }
    }
    if (cut) text += "\u2026";
    return text;
}

std::string ShownName(const std::string& name) {
    std::string text;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto c = static_cast<unsigned char>(name[i]);
        const auto next = i + 1 < name.size() ? static_cast<unsigned char>(name[i + 1]) : 0;
        if (c == 0xC2 && next >= 0x80 && next <= 0x9F) {
            AppendCode(text, c);
            AppendCode(text, next);
            ++i;
        } else if (c < 0x20 || c == 0x7F) {
            AppendCode(text, c);
        } else {
            text += static_cast<char>(c);
        }
    }
    return text;
}

}  // namespace analysis
