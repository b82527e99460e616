#include "import/TextColumnParser.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <limits>
#include <string>

#include "analysis/transform/DyadicSignal.h"
#include "analysis/io/FileError.h"
#include "analysis/io/NearestDouble.h"
#include "analysis/io/SampleNumber.h"
#include "import/GapFill.h"
#include "import/ImportError.h"

namespace importer {
namespace {

enum class Plain { Number, Other, NeedMore };

// A number of the plain shape most tables hold, [sign] digits [. digits]
// [(e|E) [sign] digits] with at most 19 significant digits and a small
// exponent, converted by the sample reader's exact NearestDouble; `stop` is
// one past it. Other: a shape for ScanSampleNumber to decide.
Plain ScanPlain(const char* p, const char* end, bool lastData, double& value, const char*& stop) {
    const auto digit = [](char c) { return static_cast<unsigned>(c - '0') < 10u; };
    const bool negative = *p == '-';
    p += *p == '-' || *p == '+';
    uint64_t digits = 0;
    int significant = 0;
    int exponent = 0;
    bool any = false;
    for (; p < end && digit(*p); ++p, any = true) {
        if (digits == 0 && *p == '0') continue;
        if (++significant > analysis::kNearestDoubleMaxExponent) return Plain::Other;
        digits = digits * 10 + static_cast<uint64_t>(*p - '0');
    }
    if (p < end && *p == '.') {
        for (++p; p < end && digit(*p); ++p, any = true) {
            --exponent;
            if (digits == 0 && *p == '0') continue;
            if (++significant > analysis::kNearestDoubleMaxExponent) return Plain::Other;
            digits = digits * 10 + static_cast<uint64_t>(*p - '0');
        }
    }
    if (!any) return Plain::Other;
    if (p < end && (*p == 'e' || *p == 'E')) {
        ++p;
        const bool down = p < end && *p == '-';
        p += p < end && (*p == '-' || *p == '+');
        int written = 0;
        const char* first = p;
        for (; p < end && digit(*p) && p - first < 4; ++p) written = written * 10 + (*p - '0');
        if (p == first || (p < end && digit(*p))) return p == end && !lastData ? Plain::NeedMore : Plain::Other;
        exponent += down ? -written : written;
    }
    if (p == end && !lastData) return Plain::NeedMore;
    if (digits != 0 &&
        (exponent < analysis::kNearestDoubleMinExponent || exponent > analysis::kNearestDoubleMaxExponent)) {
        return Plain::Other;
    }
    const double magnitude = analysis::NearestDouble(digits, exponent);
    value = negative ? -magnitude : magnitude;
    stop = p;
    return Plain::Number;
}

const char* SkipBlanks(const char* p, const char* end) {
    while (p < end && IsFieldBlank(*p)) ++p;
    return p;
}

bool StartsNumber(const char* p, const char* end) {
    const auto digitOrPoint = [](char c) { return (c >= '0' && c <= '9') || c == '.'; };
    if (digitOrPoint(*p)) return true;
    return (*p == '-' || *p == '+') && p + 1 < end && digitOrPoint(p[1]);
}

}  // namespace

TextColumnParser::TextColumnParser(const TextDialect& dialect, int32_t column, TextReading reading)
    : dialect_(dialect), column_(column), reading_(reading) {}

const char* TextColumnParser::Feed(const char* begin, const char* end, bool lastData) {
    const char* p = begin;
    while (p < end) {
        const char c = *p;
        if (skipped_ < dialect_.skipLines) {
            const char* next = RecordEnd(p, end, lastData);
            if (next == nullptr) return p;
            line_ += std::count(p, next, '\n');
            ++skipped_;
            p = next;
            continue;
        }
        if (c == '#' || c == '%' || c == '\n' || IsFieldBlank(c)) {
            // Told from a data line by its first character after blanks: a
            // long data line is not searched for its end first.
            const char* first = SkipBlanks(p, end);
            if (first == end && !lastData) return p;
            if (IsCommentLine(first, end)) {
                const char* next = LineEnd(first, end, lastData);
                if (next == nullptr) return p;
                line_ += next[-1] == '\n';
                p = next;
                continue;
            }
        }
        const char* next = DataRecord(p, end, lastData);
        if (next == nullptr) return p;
        p = next;
    }
    return p;
}

const char* TextColumnParser::DataRecord(const char* p, const char* end, bool lastData) {
    const Delimiter delimiter = dialect_.delimiter;
    const std::size_t before = values_.size();
    // A record cut by `end` is read again whole: what it gave is taken back.
    const auto more = [&]() -> const char* {
        values_.resize(before);
        return nullptr;
    };
    int32_t lineFeeds = 0;
    // The fields before the column.
    for (int32_t field = 1; field < column_; ++field) {
        if (delimiter == Delimiter::Blanks) {
            while (p < end && IsFieldBlank(*p)) ++p;
        }
        const std::optional<FieldScan> scan = ScanField(p, end, lastData, delimiter);
        if (!scan) return nullptr;
        lineFeeds += scan->lineFeeds;
        bool lineEnds = scan->stop == end || *scan->stop == '\n';
        if (delimiter == Delimiter::Blanks && !lineEnds) {
            // Only blanks (or a comment) may follow the last field; what
            // follows them tells, not a search for the line's end, which
            // would make a long line cost its length once per field.
            const char* next = SkipBlanks(scan->stop, end);
            if (next == end && !lastData) return nullptr;
            lineEnds = IsCommentLine(next, end);
        }
        if (lineEnds) {
            throw ImportFailure("line " + std::to_string(line_) + " has no column " + std::to_string(column_) +
                                " (it has " + std::to_string(field) + ")");
        }
        p = scan->stop + 1;
    }
    const char* stop = Value(p, end, lastData, column_, lineFeeds);
    if (stop == nullptr) return more();
    // The fields after the column, read as values of a wide table's series or
    // passed over; with blanks between fields, a "#" or "%" where a field
    // would start begins a comment to the line's end.
    for (int32_t column = column_ + 1; stop < end && *stop != '\n'; ++column) {
        const char* next = stop + 1;
        if (delimiter == Delimiter::Blanks) {
            next = SkipBlanks(next, end);
            if (next == end && !lastData) return more();
            if (next == end || *next == '\n') {
                stop = next;
                break;
            }
            if (*next == '#' || *next == '%') {
                const void* feed = std::memchr(next, '\n', static_cast<std::size_t>(end - next));
                stop = feed ? static_cast<const char*>(feed) : end;
                break;
            }
        }
        if (reading_.rowsAsSeries) {
            stop = Value(next, end, lastData, column, lineFeeds);
            if (stop == nullptr) return more();
            continue;
        }
        const std::optional<FieldScan> scan = ScanField(next, end, lastData, delimiter);
        if (!scan) return more();
        lineFeeds += scan->lineFeeds;
        stop = scan->stop;
    }
    if (stop == end && !lastData) return more();
    if (reading_.rowsAsSeries) CheckLineLength(static_cast<int64_t>(values_.size() - before));
    line_ += lineFeeds + (stop < end);
    return stop < end ? stop + 1 : end;
}

const char* TextColumnParser::Value(const char* p, const char* end, bool lastData, int32_t column, int32_t& lineFeeds) {
    const Delimiter delimiter = dialect_.delimiter;
    const char separator = static_cast<char>(delimiter);
    while (p < end && IsFieldBlank(*p)) ++p;
    if (p == end && !lastData) return nullptr;
    // Most fields are a plain number that ends at a delimiter or line end:
    // read in place, without finding the field's end first.
    const char* stop = nullptr;
    if (!dialect_.decimalComma && p < end && StartsNumber(p, end)) {
        double value = 0.0;
        const char* numberEnd = nullptr;
        const Plain plain = ScanPlain(p, end, lastData, value, numberEnd);
        if (plain == Plain::NeedMore) return nullptr;
        if (plain == Plain::Other) {
            const analysis::SampleNumber number = analysis::ScanSampleNumber(p, end, lastData);
            if (number.status == analysis::SampleNumberStatus::NeedMore) return nullptr;
            if (number.status == analysis::SampleNumberStatus::Number) {
                value = number.value;
                numberEnd = number.end;
            }
        }
        if (numberEnd != nullptr) {
            const char* q = numberEnd;
            while (q < end && IsFieldBlank(*q)) ++q;
            if (q == end && !lastData) return nullptr;
            if (q == end || *q == '\n' || *q == separator || (delimiter == Delimiter::Blanks && q > numberEnd)) {
                values_.push_back(value);
                stop = delimiter == Delimiter::Blanks && q < end && *q != '\n' ? q - 1 : q;
            }
        }
    }
    if (stop == nullptr) {
        const std::optional<FieldScan> scan = ScanField(p, end, lastData, delimiter);
        if (!scan) return nullptr;
        if (const std::optional<double> value = FieldNumber(scan->field, dialect_.decimalComma)) {
            values_.push_back(*value);
        } else {
            PushGap(scan->field, column);
        }
        lineFeeds += scan->lineFeeds;
        stop = scan->stop;
    }
    if (values_.size() > static_cast<std::size_t>(analysis::kMaxSamples)) {
        throw ImportFailure(std::string(reading_.rowsAsSeries ? "the table" : "the column") + " holds more than " +
                            std::to_string(analysis::kMaxSamples) + " values, the most a signal may have");
    }
    return stop;
}

void TextColumnParser::PushGap(TextField field, int32_t column) {
    std::string text = FieldText(field);
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const bool empty = text.find_first_not_of(" \t\r") == std::string::npos;
    if (!empty && text != "nan" && text != "na") FieldError(field, column);
    if (!reading_.gaps) {
        const std::string where = "line " + std::to_string(line_) + ", column " + std::to_string(column) + ": ";
        throw ImportFailure(where + (empty ? "the field is empty" : "\"" + FieldText(field) + "\" is a gap") +
                            kGapsHint);
    }
    values_.push_back(std::numeric_limits<double>::quiet_NaN());
}

void TextColumnParser::CheckLineLength(int64_t values) {
    if (lineValues_ == 0) lineValues_ = values;
    const auto told = [&](int64_t line, int64_t count) {
        return "line " + std::to_string(line) + " has " + std::to_string(count) + (count == 1 ? " value" : " values") +
               " from column " + std::to_string(column_) + ", " + (count > lineValues_ ? "more" : "fewer") +
               " than the " + std::to_string(lineValues_) + " of the first data line";
    };
    if (values > lineValues_) throw ImportFailure(told(line_, values));
    if (shortLine_ > 0) throw ImportFailure(told(shortLine_, shortValues_) + "; only the last line may have fewer");
    if (values < lineValues_) {
        shortLine_ = line_;
        shortValues_ = values;
    }
}

void TextColumnParser::FieldError(TextField field, int32_t column) const {
    const std::string where = "line " + std::to_string(line_) + ", column " + std::to_string(column) + ": ";
    throw ImportFailure(where + "\"" + analysis::QuoteBytes(field.begin, field.end) + "\" is not a number");
}

}  // namespace importer
