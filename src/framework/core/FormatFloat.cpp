#include "framework/core/FormatFloat.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "framework/core/Conversions.h"
#include "framework/core/FloatDecimal.h"

namespace fw {

namespace {

constexpr int kMaxExponentDigits = 4;

bool IsQuote(char c) { return c == '"' || c == '\''; }

bool IsPlaceholder(char c) { return c == '0' || c == '#'; }

// "E+" or "E-" (either case) at position i.
bool IsExponentAt(const std::string& s, size_t i) {
    return (s[i] == 'E' || s[i] == 'e') && i + 1 < s.size() && (s[i + 1] == '+' || s[i + 1] == '-');
}

// Index just past the quoted text that starts at i (an open quote runs to the end).
size_t SkipQuoted(const std::string& s, size_t i) {
    const size_t close = s.find(s[i], i + 1);
    return close == std::string::npos ? s.size() : close + 1;
}

std::vector<std::string> SplitSections(const std::string& format) {
    std::vector<std::string> sections(1);
    for (size_t i = 0; i < format.size();) {
        if (IsQuote(format[i])) {
            const size_t next = SkipQuoted(format, i);
            sections.back().append(format, i, next - i);
            i = next;
        } else if (format[i] == ';') {
            sections.emplace_back();
            ++i;
        } else {
            sections.back().push_back(format[i++]);
        }
    }
    return sections;
}

// What a section asks of the number.
struct SectionLayout {
    int integerPlaces = 0;   // placeholders before the point
    int forcedIntegers = 0;  // integer digits shown at least (from the first "0" on)
    int decimalPlaces = 0;   // placeholders after the point
    int forcedDecimals = 0;  // decimals shown at least (up to the last "0")
    bool grouped = false;
    bool scientific = false;
    bool anyPlaceholder = false;
};

SectionLayout Analyse(const std::string& section) {
    SectionLayout layout;
    bool afterPoint = false;
    int firstIntegerZero = -1;
    for (size_t i = 0; i < section.size();) {
        const char c = section[i];
        if (IsQuote(c)) {
            i = SkipQuoted(section, i);
            continue;
        }
        if (IsExponentAt(section, i)) {
            layout.scientific = true;
            break;  // what follows the exponent is its digits and literal text
        }
        if (IsPlaceholder(c)) {
            layout.anyPlaceholder = true;
            if (afterPoint) {
                ++layout.decimalPlaces;
                if (c == '0') layout.forcedDecimals = layout.decimalPlaces;
            } else {
                if (c == '0' && firstIntegerZero < 0) firstIntegerZero = layout.integerPlaces;
                ++layout.integerPlaces;
            }
        } else if (c == '.') {
            afterPoint = true;
        } else if (c == ',') {
            layout.grouped = true;
        }
        ++i;
    }
    if (firstIntegerZero >= 0) layout.forcedIntegers = layout.integerPlaces - firstIntegerZero;
    return layout;
}

// The number cut into the pieces a section places.
struct NumberParts {
    std::string integerDigits;  // without leading zeros beyond the forced ones
    std::string decimalDigits;  // exactly the decimals to show
    int exponent = 0;           // scientific only
};

NumberParts Split(const FloatDecimal& rec, const SectionLayout& layout) {
    NumberParts parts;
    // Position of the decimal point within rec.digits.
    const int point = layout.scientific ? layout.integerPlaces : std::max(rec.exponent, 0);
    if (!rec.IsZero()) {
        if (layout.scientific) parts.exponent = rec.exponent - layout.integerPlaces;
        const int leadingZeros = layout.scientific ? 0 : std::max(-rec.exponent, 0);
        const std::string all = std::string(static_cast<size_t>(leadingZeros), '0') + rec.digits;
        for (int i = 0; i < point; ++i)
            parts.integerDigits.push_back(i < static_cast<int>(all.size()) ? all[static_cast<size_t>(i)] : '0');
        if (static_cast<int>(all.size()) > point) parts.decimalDigits = all.substr(static_cast<size_t>(point));
    }
    if (static_cast<int>(parts.integerDigits.size()) < layout.forcedIntegers)
        parts.integerDigits.insert(0, static_cast<size_t>(layout.forcedIntegers) - parts.integerDigits.size(), '0');
    if (static_cast<int>(parts.decimalDigits.size()) < layout.forcedDecimals)
        parts.decimalDigits.append(static_cast<size_t>(layout.forcedDecimals) - parts.decimalDigits.size(), '0');
    return parts;
}

FloatDecimal RoundFor(long double value, const SectionLayout& layout) {
    if (layout.scientific) {
        const int precision = std::clamp(layout.integerPlaces + layout.decimalPlaces, 1, kMaxDigits);
        return ToFloatDecimal(value, precision, 9999);
    }
    return ToFloatDecimal(value, kMaxDigits, layout.decimalPlaces);
}

// Writes the section with the number's digits in place of its placeholders.
class SectionWriter {
public:
    SectionWriter(const SectionLayout& layout, const NumberParts& parts, const FormatSettings& settings)
        : layout_(layout), parts_(parts), settings_(settings) {}

    std::string Write(const std::string& section) {
        bool afterPoint = false;
        for (size_t i = 0; i < section.size();) {
            const char c = section[i];
            if (IsQuote(c)) {
                const size_t close = section.find(c, i + 1);
                const size_t end = close == std::string::npos ? section.size() : close;
                out_.append(section, i + 1, end - i - 1);
                i = close == std::string::npos ? end : close + 1;
            } else if (exponentWritten_) {
                out_.push_back(c);  // after the exponent only literal text remains
                ++i;
            } else if (IsExponentAt(section, i)) {
                i = WriteExponent(section, i);
            } else if (IsPlaceholder(c)) {
                afterPoint ? WriteDecimal() : WriteInteger();
                ++i;
            } else if (c == '.' && !afterPoint) {
                afterPoint = true;
                if (layout_.integerPlaces == 0) WriteIntegerDigits(parts_.integerDigits.size());
                if (!parts_.decimalDigits.empty()) out_.push_back(settings_.DecimalSeparator);
                ++i;
            } else if (c == ',' || c == '.') {
                ++i;  // grouping is a property of the section; a second point means nothing
            } else {
                out_.push_back(c);
                ++i;
            }
        }
        return out_;
    }

private:
    // Emits integer digits up to (not including) index `end`, with group separators.
    void WriteIntegerDigits(size_t end) {
        const size_t count = parts_.integerDigits.size();
        for (; nextInteger_ < end && nextInteger_ < count; ++nextInteger_) {
            out_.push_back(parts_.integerDigits[nextInteger_]);
            const size_t remaining = count - 1 - nextInteger_;
            if (layout_.grouped && remaining > 0 && remaining % 3 == 0) out_.push_back(settings_.ThousandSeparator);
        }
    }

    // The k-th integer placeholder stands for digit (count - places + k); the
    // first one also takes every digit beyond the placeholders.
    void WriteInteger() {
        const long long k = integerPlaceholder_++;
        const long long digit = static_cast<long long>(parts_.integerDigits.size()) - layout_.integerPlaces + k;
        if (digit >= 0) WriteIntegerDigits(static_cast<size_t>(digit) + 1);
    }

    void WriteDecimal() {
        const size_t k = decimalPlaceholder_++;
        if (k < parts_.decimalDigits.size()) out_.push_back(parts_.decimalDigits[k]);
    }

    size_t WriteExponent(const std::string& section, size_t i) {
        out_.push_back(section[i]);
        const bool alwaysSign = section[i + 1] == '+';
        i += 2;
        int minDigits = 0;
        for (; i < section.size() && section[i] == '0'; ++i) ++minDigits;
        minDigits = std::min(minDigits, kMaxExponentDigits);
        std::string digits = std::to_string(parts_.exponent < 0 ? -parts_.exponent : parts_.exponent);
        if (static_cast<int>(digits.size()) < minDigits)
            digits.insert(0, static_cast<size_t>(minDigits) - digits.size(), '0');
        if (parts_.exponent < 0)
            out_.push_back('-');
        else if (alwaysSign)
            out_.push_back('+');
        out_ += digits;
        exponentWritten_ = true;
        return i;
    }

    const SectionLayout& layout_;
    const NumberParts& parts_;
    const FormatSettings& settings_;
    std::string out_;
    size_t nextInteger_ = 0;
    int integerPlaceholder_ = 0;
    size_t decimalPlaceholder_ = 0;
    bool exponentWritten_ = false;
};

std::string General(long double value, const FormatSettings& settings) {
    return FloatToStrF(value, ffGeneral, 15, 0, settings);
}

}  // namespace

std::string FormatFloat(const std::string& format, long double value, const FormatSettings& settings) {
    if (format.empty() || !std::isfinite(value)) return General(value, settings);

    const std::vector<std::string> sections = SplitSections(format);
    auto usable = [&](size_t index) { return index < sections.size() && !sections[index].empty(); };

    size_t index = value < 0 && usable(1) ? 1 : 0;
    SectionLayout layout = Analyse(sections[index]);
    FloatDecimal rec = RoundFor(value, layout);
    if (!layout.scientific && rec.exponent > kMaxDigits) return General(value, settings);

    bool minus = index == 0 && rec.negative;
    if (rec.IsZero()) {
        index = usable(2) ? 2 : 0;
        layout = Analyse(sections[index]);
        rec = FloatDecimal{};
        minus = false;
    }
    if (!layout.anyPlaceholder) minus = false;  // a section of text alone shows no number

    const NumberParts parts = Split(rec, layout);
    const std::string text = SectionWriter(layout, parts, settings).Write(sections[index]);
    return minus ? "-" + text : text;
}

}  // namespace fw
