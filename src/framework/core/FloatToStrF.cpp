#include <algorithm>
#include <string>

#include "framework/core/Conversions.h"
#include "framework/core/FloatDecimal.h"

namespace fw {

namespace {

// Passed as `decimals` when only the significant digits limit the rounding.
constexpr int kUnlimitedDecimals = 9999;

std::string SpecialText(const FloatDecimal& rec) {
    if (rec.kind == FloatDecimal::NotANumber) return "NAN";
    return rec.negative ? "-INF" : "INF";
}

char DigitAt(const FloatDecimal& rec, long long index) {
    return index >= 0 && index < static_cast<long long>(rec.digits.size()) ? rec.digits[static_cast<size_t>(index)]
                                                                           : '0';
}

// Appends "E", the sign and at least `minDigits` exponent digits.
void AppendExponent(std::string& text, int exponent, bool forceSign, int minDigits) {
    const std::string digits = std::to_string(exponent < 0 ? -static_cast<long long>(exponent) : exponent);
    text.push_back('E');
    if (exponent < 0)
        text.push_back('-');
    else if (forceSign)
        text.push_back('+');
    if (static_cast<int>(digits.size()) < minDigits) text.append(static_cast<size_t>(minDigits) - digits.size(), '0');
    text.append(digits);
}

// d.ddd E x with the significant digits as they are (no trailing zeros): the
// scientific half of the general format.
std::string GeneralScientific(const FloatDecimal& rec, int minExponentDigits, const FormatSettings& settings) {
    std::string text = rec.negative ? "-" : "";
    text.push_back(rec.digits[0]);
    if (rec.digits.size() > 1) {
        text.push_back(settings.DecimalSeparator);
        text.append(rec.digits, 1, std::string::npos);
    }
    AppendExponent(text, rec.exponent - 1, false, minExponentDigits);
    return text;
}

std::string GroupThousands(const std::string& integerDigits, char separator) {
    std::string grouped;
    const size_t n = integerDigits.size();
    for (size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) grouped.push_back(separator);
        grouped.push_back(integerDigits[i]);
    }
    return grouped;
}

std::string FormatGeneral(long double value, int precision, int digits, const FormatSettings& settings) {
    const FloatDecimal rec = ToFloatDecimal(value, precision, kUnlimitedDecimals);
    if (rec.kind != FloatDecimal::Finite) return SpecialText(rec);
    if (rec.IsZero()) return "0";
    if (rec.exponent > std::clamp(precision, 1, kMaxDigits) || rec.exponent < -3)
        return GeneralScientific(rec, std::clamp(digits, 0, 4), settings);

    std::string text = rec.negative ? "-" : "";
    if (rec.exponent <= 0) {
        text += "0";
        text.push_back(settings.DecimalSeparator);
        text.append(static_cast<size_t>(-rec.exponent), '0');
        text += rec.digits;
        return text;
    }
    for (int i = 0; i < rec.exponent; ++i) text.push_back(DigitAt(rec, i));
    if (static_cast<int>(rec.digits.size()) > rec.exponent) {
        text.push_back(settings.DecimalSeparator);
        text.append(rec.digits, static_cast<size_t>(rec.exponent), std::string::npos);
    }
    return text;
}

std::string FormatExponent(long double value, int precision, int digits, const FormatSettings& settings) {
    precision = std::clamp(precision, 1, kMaxDigits);
    const FloatDecimal rec = ToFloatDecimal(value, precision, kUnlimitedDecimals);
    if (rec.kind != FloatDecimal::Finite) return SpecialText(rec);

    std::string text = rec.negative ? "-" : "";
    text.push_back(DigitAt(rec, 0));
    if (precision > 1) {
        text.push_back(settings.DecimalSeparator);
        for (int i = 1; i < precision; ++i) text.push_back(DigitAt(rec, i));
    }
    const int exponent = rec.IsZero() ? 0 : rec.exponent - 1;
    AppendExponent(text, exponent, true, std::clamp(digits, 0, 4));
    return text;
}

std::string FormatFixed(long double value, int precision, int digits, bool grouped, const FormatSettings& settings) {
    precision = std::clamp(precision, 1, kMaxDigits);
    digits = std::clamp(digits, 0, kMaxDigits);
    const FloatDecimal rec = ToFloatDecimal(value, precision, digits);
    if (rec.kind != FloatDecimal::Finite) return SpecialText(rec);
    // More integer digits than significant ones: fixed notation would show
    // invented zeros, so the general scientific form is used instead.
    if (rec.exponent > precision) return GeneralScientific(rec, 0, settings);

    std::string integerDigits;
    if (rec.exponent <= 0) {
        integerDigits = "0";
    } else {
        for (int i = 0; i < rec.exponent; ++i) integerDigits.push_back(DigitAt(rec, i));
    }
    std::string text = rec.negative ? "-" : "";
    text += grouped ? GroupThousands(integerDigits, settings.ThousandSeparator) : integerDigits;
    if (digits > 0) {
        text.push_back(settings.DecimalSeparator);
        for (int i = 0; i < digits; ++i) text.push_back(DigitAt(rec, static_cast<long long>(rec.exponent) + i));
    }
    return text;
}

}  // namespace

std::string FloatToStrF(long double value, TFloatFormat format, int precision, int digits,
                        const FormatSettings& settings) {
    switch (format) {
    case ffGeneral: return FormatGeneral(value, precision, digits, settings);
    case ffExponent: return FormatExponent(value, precision, digits, settings);
    case ffFixed: return FormatFixed(value, precision, digits, false, settings);
    case ffNumber: return FormatFixed(value, precision, digits, true, settings);
    }
    return FormatFixed(value, precision, digits, false, settings);
}

}  // namespace fw
