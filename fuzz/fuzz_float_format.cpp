// FloatToStrF on any long double, any format and precision (chosen by the
// input) and every digits in range: "INF", "-INF" and "NAN" for the values that are no numbers; for the
// others a text that reads back (StrToFloat, thousands separators dropped)
// within the rounding the precision and digits allow, with the sign only on a
// non-zero result, and in the shape of its format.

#include <cmath>

#include "FuzzInput.h"
#include "framework/core/Conversions.h"
#include "framework/core/Exceptions.h"

namespace {

using fw::TFloatFormat;

std::string Describe(long double value, TFloatFormat format, int precision, int digits, const std::string& text) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.21Lg", value);
    return std::string(buffer) + " format " + std::to_string(format) + " precision " + std::to_string(precision) +
           " digits " + std::to_string(digits) + " gives '" + text + "'";
}

// The decimal exponent of the leading digit of |value| > 0, or one more near a
// power of ten (which only loosens the bound below).
int DecimalExponent(long double value) { return static_cast<int>(std::floor(std::log10(std::fabs(value)))); }

void CheckText(long double value, TFloatFormat format, int precision, int digits, const fw::FormatSettings& settings) {
    const std::string text = fw::FloatToStrF(value, format, precision, digits, settings);
    const std::string what = Describe(value, format, precision, digits, text);
    if (std::isnan(value)) return fuzz::Check(text == "NAN", what);
    if (std::isinf(value)) return fuzz::Check(text == (value < 0 ? "-INF" : "INF"), what);

    std::string plain;
    for (char c : text) {
        if (!(format == fw::ffNumber && c == settings.ThousandSeparator)) plain += c;
    }
    const std::size_t exponentAt = plain.find('E');
    const std::size_t separatorAt = plain.find(settings.DecimalSeparator);
    if (format == fw::ffExponent) {
        fuzz::Check(exponentAt != std::string::npos && exponentAt + 1 < plain.size() &&
                        (plain[exponentAt + 1] == '+' || plain[exponentAt + 1] == '-') &&
                        plain.size() - exponentAt - 2 >= static_cast<std::size_t>(digits),
                    what + ": exponent with sign and at least the digits");
    }
    if ((format == fw::ffFixed || format == fw::ffNumber) && exponentAt == std::string::npos) {
        const std::size_t decimals = separatorAt == std::string::npos ? 0 : plain.size() - separatorAt - 1;
        fuzz::Check(decimals == static_cast<std::size_t>(digits), what + ": exactly the digits as decimals");
    }

    // Read back only where the text stays inside the extended range.
    if (value != 0 && (std::fabs(value) > 1e4931L || std::fabs(value) < 1e-4900L)) return;
    long double back = 0;
    try {
        back = fw::StrToFloat(plain, settings);
    } catch (const fw::EConvertError&) {
        fuzz::Broken(what + ": does not read back");
    }
    fuzz::Check(text[0] != '-' || back < 0, what + ": a sign only on a negative result");
    fuzz::Check(back == 0 || std::signbit(back) == std::signbit(value), what + ": the sign of the value");
    if (value == 0) return fuzz::Check(back == 0, what + ": zero");
    const int e = DecimalExponent(value);
    long double unit = std::pow(10.0L, e - precision + 1);
    if ((format == fw::ffFixed || format == fw::ffNumber) && exponentAt == std::string::npos) {
        unit = std::max(unit, std::pow(10.0L, -digits));
    }
    const long double bound = 0.5L * unit * (1 + 1e-9L) + std::pow(10.0L, e - 17) + std::fabs(value) * 1e-18L;
    fuzz::Check(std::fabs(back - value) <= bound, what + ": rounded too far");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    fuzz::FuzzInput input(data, size);
    const uint8_t kind = input.Byte();
    const uint64_t significand = input.Bits(8);
    const int exponent = static_cast<int>(input.Bits(2) % 33000) - 16500;
    long double value = std::ldexp(static_cast<long double>(significand), exponent - 63);
    if (kind & 1) value = -value;
    if ((kind >> 1) % 16 == 1) value = std::copysign(INFINITY, value);
    if ((kind >> 1) % 16 == 2) value = NAN;
    fw::FormatSettings settings;
    if (kind & 0x40) {
        settings.DecimalSeparator = ',';
        settings.ThousandSeparator = '.';
    }
    const auto format = static_cast<TFloatFormat>(input.Byte() % 4);
    const int precision = 1 + input.Byte() % 18;
    const int maxDigits = format == fw::ffGeneral || format == fw::ffExponent ? 4 : 18;
    for (int digits = 0; digits <= maxDigits; ++digits) CheckText(value, format, precision, digits, settings);
    return 0;
}
