#include "analysis/io/FileError.h"

#include <algorithm>
#include <cstring>

namespace analysis {

std::string CannotOpenText(const std::string& fileName, int error) {
    return "Cannot open file \"" + fileName + "\": " + std::strerror(error);
}

std::string NotRegularText(const std::string& fileName) {
    return "The file \"" + fileName + "\" is not a regular file";
}

std::string CannotReadText(const std::string& fileName, int error) {
    return "Cannot read file \"" + fileName + "\": " + std::strerror(error);
}

std::string QuoteBytes(const char* begin, const char* end) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text;
    const char* stop = begin + std::min<std::ptrdiff_t>(end - begin, kQuotedBytes);
    for (const char* p = begin; p < stop; ++p) {
        const auto c = static_cast<unsigned char>(*p);
        if (c >= 0x20 && c < 0x7F) {
            text += static_cast<char>(c);
        } else {
            text += {'\\', 'x', kHex[c >> 4], kHex[c & 0xF]};
        }
    }
    return text;
}

}  // namespace analysis
