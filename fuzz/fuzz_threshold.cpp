// The threshold text: the double nearest to the framework's reading of it, the
// conversion error with its message for a text that is no number, and the
// overflow error exactly when that reading rounds beyond the double range.
// The reading is itself rounded to the extended type, so where it lies within
// one of its last places of halfway between two doubles, the text's one
// rounding may rightly land on either of them.

#include <cmath>
#include <cstring>

#include "FuzzInput.h"
#include "analysis/denoise/Thresholding.h"
#include "framework/core/Conversions.h"
#include "framework/core/Exceptions.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    fuzz::FuzzInput input(data, size);
    fw::DefaultFormatSettings().DecimalSeparator = input.Byte() % 2 ? ',' : '.';
    const std::string text = input.Rest();

    enum class Outcome { Value, ConvertError, Overflow } expected = Outcome::Value;
    long double reading = 0;
    try {
        reading = fw::StrToFloat(text);
    } catch (const fw::EConvertError&) {
        expected = Outcome::ConvertError;
    }
    // Doubles reach up to (2 - 2^-52) * 2^1023; from half a last place above it
    // on, the nearest double is infinite.
    const long double roundsToInfinity = std::ldexp(2.0L - std::ldexp(1.0L, -53), 1023);
    if (expected == Outcome::Value && std::fabs(reading) >= roundsToInfinity) expected = Outcome::Overflow;
    const long double lastPlace = std::fabs(std::nextafter(reading, 0.0L) - reading);
    const auto nearHalfway = [&](long double halfway) { return std::fabs(std::fabs(reading) - halfway) <= lastPlace; };
    const bool eitherAtTheTop = expected != Outcome::ConvertError && nearHalfway(roundsToInfinity);

    try {
        const double threshold = analysis::ParseThreshold(text);
        fuzz::Check(expected == Outcome::Value || eitherAtTheTop, "ParseThreshold('" + text + "') should have failed");
        const double nearest = static_cast<double>(reading);
        const double other = std::nextafter(threshold, nearest);
        const bool tie = std::isfinite(nearest) && other == nearest &&
                         nearHalfway(std::fabs((static_cast<long double>(threshold) + nearest) / 2));
        fuzz::Check(std::memcmp(&threshold, &nearest, sizeof threshold) == 0 || tie || eitherAtTheTop,
                    "ParseThreshold('" + text + "') is the nearest double");
        fuzz::Check(std::isfinite(threshold), "threshold finite");
    } catch (const fw::EConvertError& e) {
        fuzz::Check(
            expected == Outcome::ConvertError && e.Message() == "'" + text + "' is not a valid floating point value",
            "conversion error for '" + text + "': " + e.Message());
    } catch (const fw::EOverflow& e) {
        fuzz::Check((expected == Outcome::Overflow || eitherAtTheTop) && e.Message() == "Floating point overflow",
                    "overflow for '" + text + "'");
    }
    return 0;
}
