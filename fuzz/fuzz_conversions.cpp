// StrToInt and StrToFloat, under "." and "," as the decimal separator, against
// a plain reading of their syntax: the same texts accepted, the same values,
// and the exact messages for the rest.

#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <optional>

#include "FuzzInput.h"
#include "framework/core/Conversions.h"
#include "framework/core/Exceptions.h"

namespace {

bool Digit(char c) { return c >= '0' && c <= '9'; }
bool HexDigit(char c) { return Digit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// Spaces, a sign, then decimal digits or hexadecimal digits after "$", "x" or
// "0x" (x in either case), nothing after. Decimal: the 32-bit range. Hex: up
// to FFFFFFFF as a two's-complement pattern, a sign negating the pattern.
std::optional<int32_t> ExpectedInt(const std::string& text) {
    std::size_t i = text.find_first_not_of(' ');
    if (i == std::string::npos) return std::nullopt;
    const bool negative = text[i] == '-';
    if (text[i] == '-' || text[i] == '+') ++i;
    std::string rest = text.substr(i);
    bool hex = false;
    if (!rest.empty() && (rest[0] == '$' || rest[0] == 'x' || rest[0] == 'X')) {
        hex = true;
        rest.erase(0, 1);
    } else if (rest.size() >= 2 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X')) {
        hex = true;
        rest.erase(0, 2);
    }
    if (rest.empty()) return std::nullopt;
    for (char c : rest) {
        if (!(hex ? HexDigit(c) : Digit(c))) return std::nullopt;
    }
    rest.erase(0, std::min(rest.find_first_not_of('0'), rest.size() - 1));
    if (rest.size() > (hex ? 8u : 10u)) return std::nullopt;
    const unsigned long long magnitude = std::strtoull(rest.c_str(), nullptr, hex ? 16 : 10);
    if (hex) {
        const auto pattern = static_cast<uint32_t>(magnitude);
        return static_cast<int32_t>(negative ? 0u - pattern : pattern);
    }
    const long long value = negative ? -static_cast<long long>(magnitude) : static_cast<long long>(magnitude);
    if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
    return static_cast<int32_t>(value);
}

// Spaces, a sign, digits, the separator and more digits (at least a digit or
// the separator), an exponent whose digits may be missing (then 0), spaces,
// nothing after. The value is that of the same number written for strtold in
// the "C" locale; beyond the extended range fails.
std::optional<long double> ExpectedFloat(const std::string& text, char separator) {
    const std::size_t first = text.find_first_not_of(' ');
    const std::size_t last = text.find_last_not_of(' ');
    if (first == std::string::npos) return std::nullopt;
    const std::string core = text.substr(first, last - first + 1);
    std::size_t i = 0;
    std::string plain;
    if (core[i] == '+' || core[i] == '-') plain += core[i++];
    std::size_t mantissa = 0;
    plain += '0';
    while (i < core.size() && Digit(core[i])) plain += core[i++], ++mantissa;
    if (i < core.size() && core[i] == separator) {
        plain += '.';
        ++i, ++mantissa;
        while (i < core.size() && Digit(core[i])) plain += core[i++];
    }
    if (mantissa == 0) return std::nullopt;
    if (i < core.size() && (core[i] == 'e' || core[i] == 'E')) {
        ++i;
        std::string exponent = "e";
        if (i < core.size() && (core[i] == '+' || core[i] == '-')) exponent += core[i++];
        const std::size_t digitsFrom = i;
        while (i < core.size() && Digit(core[i])) exponent += core[i++];
        if (i > digitsFrom) plain += exponent;
    }
    if (i != core.size()) return std::nullopt;
    const long double value = std::strtold(plain.c_str(), nullptr);
    if (std::isinf(value)) return std::nullopt;
    return value;
}

template <typename Convert>
std::optional<std::string> MessageOf(Convert convert) {
    try {
        convert();
    } catch (const fw::EConvertError& e) {
        return e.Message();
    }
    return std::nullopt;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static const bool classic = std::setlocale(LC_ALL, "C") != nullptr;
    fuzz::Check(classic, "C locale");
    fuzz::FuzzInput input(data, size);
    fw::FormatSettings settings;
    settings.DecimalSeparator = input.Byte() % 2 ? ',' : '.';
    const std::string text = input.Rest();

    const std::optional<int32_t> integer = ExpectedInt(text);
    int32_t gotInteger = 0;
    const std::optional<std::string> intMessage = MessageOf([&] { gotInteger = fw::StrToInt(text); });
    if (integer) {
        fuzz::Check(!intMessage, "StrToInt accepts '" + text + "'");
        fuzz::Check(gotInteger == *integer,
                    "StrToInt('" + text + "') = " + std::to_string(*integer) + ", not " + std::to_string(gotInteger));
    } else {
        fuzz::Check(intMessage == "'" + text + "' is not a valid integer value", "StrToInt refuses '" + text + "'");
    }

    const std::optional<long double> number = ExpectedFloat(text, settings.DecimalSeparator);
    long double gotNumber = 0;
    const std::optional<std::string> floatMessage = MessageOf([&] { gotNumber = fw::StrToFloat(text, settings); });
    if (number) {
        fuzz::Check(!floatMessage, "StrToFloat accepts '" + text + "'");
        fuzz::Check(std::memcmp(&gotNumber, &*number, 10) == 0, "StrToFloat('" + text + "') bit for bit");
    } else {
        fuzz::Check(floatMessage == "'" + text + "' is not a valid floating point value",
                    "StrToFloat refuses '" + text + "'");
    }
    return 0;
}
