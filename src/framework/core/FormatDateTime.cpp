#include "framework/core/FormatDateTime.h"

#include <cctype>
#include <cstdio>

namespace fw {

namespace {

// Formats named inside formats ("c", "ddddd", "t", ...) are expanded to this
// depth, so a settings format that names itself cannot recurse for ever.
constexpr int kMaxNesting = 2;

char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

bool StartsWithNoCase(const std::string& s, size_t i, const char* prefix) {
    for (size_t k = 0; prefix[k] != '\0'; ++k)
        if (i + k >= s.size() || Upper(s[i + k]) != Upper(prefix[k])) return false;
    return true;
}

std::string Padded(int value, int width) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*d", width, value);
    return buffer;
}

// Whether an am/pm specifier appears at or after `from` outside quoted text:
// it switches the hour to the 12-hour clock.
bool AmPmFollows(const std::string& format, size_t from) {
    for (size_t i = from; i < format.size(); ++i) {
        const char c = format[i];
        if (c == '"' || c == '\'') {
            const size_t close = format.find(c, i + 1);
            if (close == std::string::npos) return false;
            i = close;
        } else if (StartsWithNoCase(format, i, "am/pm") || StartsWithNoCase(format, i, "a/p") ||
                   StartsWithNoCase(format, i, "ampm")) {
            return true;
        }
    }
    return false;
}

struct DateTimeFields {
    int year, month, day, hour, minute, second, millisecond, dayOfWeek;
};

class DateTimeWriter {
public:
    DateTimeWriter(const DateTimeFields& f, const FormatSettings& settings) : f_(f), settings_(settings) {}

    void Append(const std::string& format, int nesting) {
        if (nesting > kMaxNesting) return;
        char lastToken = ' ';
        size_t i = 0;
        while (i < format.size()) {
            const char starter = format[i];
            const char token = Upper(starter);
            size_t count = 1;
            while (i + count < format.size() && format[i + count] == starter) ++count;

            switch (token) {
            case '"':
            case '\'': {
                const size_t close = format.find(starter, i + 1);
                const size_t end = close == std::string::npos ? format.size() : close;
                out_.append(format, i + 1, end - i - 1);
                i = close == std::string::npos ? end : close + 1;
                continue;
            }
            case 'Y': out_ += count <= 2 ? Padded(f_.year % 100, 2) : Padded(f_.year, 4); break;
            case 'M':
                if (lastToken == 'H' && count <= 2) {
                    out_ += Padded(f_.minute, count == 1 ? 1 : 2);
                    lastToken = 'N';
                    i += count;
                    continue;
                }
                if (count <= 2)
                    out_ += Padded(f_.month, static_cast<int>(count));
                else
                    out_ += (count == 3 ? settings_.ShortMonthNames : settings_.LongMonthNames)[f_.month - 1];
                break;
            case 'D':
                if (count <= 2)
                    out_ += Padded(f_.day, static_cast<int>(count));
                else if (count <= 4)
                    out_ += (count == 3 ? settings_.ShortDayNames : settings_.LongDayNames)[f_.dayOfWeek - 1];
                else
                    Append(count == 5 ? settings_.ShortDateFormat : settings_.LongDateFormat, nesting + 1);
                break;
            case 'H':
                out_ += Padded(AmPmFollows(format, i + count) ? TwelveHour() : f_.hour, count == 1 ? 1 : 2);
                break;
            case 'N': out_ += Padded(f_.minute, count == 1 ? 1 : 2); break;
            case 'S': out_ += Padded(f_.second, count == 1 ? 1 : 2); break;
            case 'Z': out_ += Padded(f_.millisecond, count == 1 ? 1 : 3); break;
            case 'T': Append(count == 1 ? settings_.ShortTimeFormat : settings_.LongTimeFormat, nesting + 1); break;
            case 'C':
                Append(settings_.ShortDateFormat, nesting + 1);
                if (f_.hour != 0 || f_.minute != 0 || f_.second != 0 || f_.millisecond != 0) {
                    out_.push_back(' ');
                    Append(settings_.LongTimeFormat, nesting + 1);
                }
                break;
            case 'A': count = AppendAmPm(format, i); break;
            case '/': out_.append(count, settings_.DateSeparator); break;
            case ':': out_.append(count, settings_.TimeSeparator); break;
            default: out_.append(count, starter); break;
            }
            if (token >= 'A' && token <= 'Z') lastToken = token;
            i += count;
        }
    }

    const std::string& Text() const { return out_; }

private:
    int TwelveHour() const { return f_.hour % 12 == 0 ? 12 : f_.hour % 12; }

    // Writes the am/pm specifier at `i` (or the letter itself when none starts
    // there) and returns the number of format characters it used.
    size_t AppendAmPm(const std::string& format, size_t i) {
        const bool pm = f_.hour >= 12;
        if (StartsWithNoCase(format, i, "am/pm")) {
            out_.append(format, pm ? i + 3 : i, 2);
            return 5;
        }
        if (StartsWithNoCase(format, i, "a/p")) {
            out_.push_back(format[pm ? i + 2 : i]);
            return 3;
        }
        if (StartsWithNoCase(format, i, "ampm")) {
            out_ += pm ? settings_.TimePMString : settings_.TimeAMString;
            return 4;
        }
        out_.push_back(format[i]);
        return 1;
    }

    const DateTimeFields& f_;
    const FormatSettings& settings_;
    std::string out_;
};

}  // namespace

std::string FormatDateTime(const std::string& format, TDateTime value, const FormatSettings& settings) {
    DateTimeFields f{};
    if (!DecodeDate(value, f.year, f.month, f.day)) return "";
    DecodeTime(value, f.hour, f.minute, f.second, f.millisecond);
    f.dayOfWeek = DayOfWeek(value);
    DateTimeWriter writer(f, settings);
    writer.Append(format.empty() ? std::string("c") : format, 0);
    return writer.Text();
}

}  // namespace fw
