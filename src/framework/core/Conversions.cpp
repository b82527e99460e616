#include "framework/core/Conversions.h"

#include <locale.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "framework/core/Exceptions.h"

namespace fw {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

[[noreturn]] void ThrowInvalidInteger(const std::string& text) {
    throw EConvertError("'" + text + "' is not a valid integer value");
}

[[noreturn]] void ThrowInvalidFloat(const std::string& text) {
    throw EConvertError("'" + text + "' is not a valid floating point value");
}

// The "C" locale, so that strtold reads "." whatever the process locale says.
locale_t ClassicLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

}  // namespace

int32_t StrToInt(const std::string& text) {
    size_t i = 0;
    const size_t n = text.size();
    while (i < n && text[i] == ' ') ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }

    bool hex = false;
    if (i < n && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < n && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i == n) ThrowInvalidInteger(text);

    // Accumulated as a magnitude; the limit is checked after every digit so
    // that any number of digits is safe.
    uint64_t magnitude = 0;
    if (hex) {
        // A hexadecimal text is a 32-bit pattern: up to FFFFFFFF, read as two's
        // complement, so "$FFFFFFFF" is -1 and "$80000000" the lowest value.
        for (; i < n; ++i) {
            const int d = HexDigitValue(text[i]);
            if (d < 0) ThrowInvalidInteger(text);
            magnitude = magnitude * 16 + static_cast<uint64_t>(d);
            if (magnitude > 0xFFFFFFFFu) ThrowInvalidInteger(text);
        }
        const uint32_t pattern = static_cast<uint32_t>(magnitude);
        const uint32_t result = negative ? 0u - pattern : pattern;
        return static_cast<int32_t>(result);
    }

    const uint64_t limit = negative ? 2147483648u : 2147483647u;
    for (; i < n; ++i) {
        if (!IsDigit(text[i])) ThrowInvalidInteger(text);
        magnitude = magnitude * 10 + static_cast<uint64_t>(text[i] - '0');
        if (magnitude > limit) ThrowInvalidInteger(text);
    }
    return negative ? static_cast<int32_t>(-static_cast<int64_t>(magnitude)) : static_cast<int32_t>(magnitude);
}

std::string IntToStr(int64_t value) { return std::to_string(value); }

namespace {

// The text's number rewritten as a plain "C" number after its syntax is
// checked, for the C library to convert with correct rounding.
std::string PlainFloatText(const std::string& text, const FormatSettings& settings) {
    std::string plain;
    plain.reserve(text.size() + 2);
    size_t i = 0;
    const size_t n = text.size();
    while (i < n && text[i] == ' ') ++i;
    if (i < n && (text[i] == '+' || text[i] == '-')) plain.push_back(text[i++]);

    bool anyMantissa = false;
    plain.push_back('0');  // keeps "." and ".5" well-formed
    for (; i < n && IsDigit(text[i]); ++i) {
        plain.push_back(text[i]);
        anyMantissa = true;
    }
    if (i < n && text[i] == settings.DecimalSeparator) {
        ++i;
        anyMantissa = true;
        plain.push_back('.');
        for (; i < n && IsDigit(text[i]); ++i) plain.push_back(text[i]);
    }
    if (!anyMantissa) ThrowInvalidFloat(text);

    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        std::string exponent = "e";
        if (i < n && (text[i] == '+' || text[i] == '-')) exponent.push_back(text[i++]);
        bool anyExponentDigit = false;
        for (; i < n && IsDigit(text[i]); ++i) {
            exponent.push_back(text[i]);
            anyExponentDigit = true;
        }
        // An exponent without digits counts as zero: leave it out entirely.
        if (anyExponentDigit) plain += exponent;
    }
    while (i < n && text[i] == ' ') ++i;
    if (i != n) ThrowInvalidFloat(text);
    return plain;
}

// Converts the plain text with `convert` (strtold_l or strtod_l), which must
// read all of it.
template <class Number>
Number ConvertPlain(const std::string& text, const std::string& plain,
                    Number (*convert)(const char*, char**, locale_t)) {
    char* end = nullptr;
    const Number value = convert(plain.c_str(), &end, ClassicLocale());
    if (end != plain.c_str() + plain.size()) ThrowInvalidFloat(text);
    return value;
}

}  // namespace

long double StrToFloat(const std::string& text, const FormatSettings& settings) {
    const long double value = ConvertPlain(text, PlainFloatText(text, settings), strtold_l);
    // Beyond the extended range fails; a result too small for it reads as zero
    // or a subnormal, which is what scaling the digits would give.
    if (std::isinf(value) || std::isnan(value)) ThrowInvalidFloat(text);
    return value;
}

double StrToDouble(const std::string& text, const FormatSettings& settings) {
    const double value = ConvertPlain(text, PlainFloatText(text, settings), strtod_l);
    // Beyond the double range, the extended range still decides whether the
    // text is a number at all.
    if (std::isinf(value)) StrToFloat(text, settings);
    return value;
}

}  // namespace fw
