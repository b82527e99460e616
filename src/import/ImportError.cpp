#include "import/ImportError.h"

namespace importer {

std::string QuoteForMessage(const char* begin, const char* end) {
    constexpr std::size_t kLength = 20;
    std::string text;
    for (const char* p = begin; p < end && text.size() < kLength; ++p) {
        const auto c = static_cast<unsigned char>(*p);
        text += (c >= 0x20 && c < 0x7F) ? static_cast<char>(c) : '?';
    }
    return text;
}

}  // namespace importer
