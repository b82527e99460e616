#include "framework/core/FloatDecimal.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace fw {

namespace {

// Adds one unit in the last place of `digits`; returns true when the carry ran
// out of the front (all nines), in which case digits becomes "1".
bool IncrementDigits(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return false;
        }
        *it = '0';
    }
    digits.assign(1, '1');
    return true;
}

}  // namespace

FloatDecimal ToFloatDecimal(long double value, int precision, int decimals) {
    FloatDecimal rec;
    if (std::isnan(value)) {
        rec.kind = FloatDecimal::NotANumber;
        return rec;
    }
    if (std::isinf(value)) {
        rec.kind = FloatDecimal::Infinite;
        rec.negative = value < 0;
        return rec;
    }
    if (value == 0) return rec;

    // "%.17Le" gives exactly 18 significant digits, correctly rounded from the
    // binary value: d.ddddddddddddddddde+X.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*Le", kMaxDigits - 1, std::fabs(value));
    std::string digits;
    digits.reserve(kMaxDigits);
    const char* p = buffer;
    // Only the digits: the C library writes the locale's decimal point, which
    // is a "," in many regions once the program has taken the user's locale.
    for (; *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9') digits.push_back(*p);
    }
    int exponent = std::atoi(p + 1) + 1;

    precision = std::clamp(precision, 1, kMaxDigits);
    // Digits kept: the lesser of the significant and the decimal limit. Guard
    // the sum against overflow for callers that pass a huge `decimals`.
    const long long byDecimals = static_cast<long long>(exponent) + decimals;
    const long long keep = std::min<long long>(precision, byDecimals);
    if (keep < 0) return rec;

    const size_t kept = static_cast<size_t>(keep);
    const bool roundUp = kept < digits.size() && digits[kept] >= '5';
    digits.resize(kept);
    if (roundUp && IncrementDigits(digits)) ++exponent;

    while (!digits.empty() && digits.back() == '0') digits.pop_back();
    if (digits.empty()) return rec;

    rec.negative = value < 0;
    rec.exponent = exponent;
    rec.digits = std::move(digits);
    return rec;
}

}  // namespace fw
