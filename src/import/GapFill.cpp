#include "import/GapFill.h"

#include <algorithm>
#include <cmath>

#include "import/ImportError.h"

namespace importer {
namespace {

[[noreturn]] void Refuse(std::ptrdiff_t index, const char* what, const char* hint) {
    throw ImportFailure("sample " + std::to_string(index + 1) + " is not a finite number (" + what + ")" + hint);
}

}  // namespace

std::optional<Gaps> GapsNamed(const std::string& name) {
    if (name == "refuse") return Gaps::Refuse;
    if (name == "fill") return Gaps::Fill;
    if (name == "drop") return Gaps::Drop;
    return std::nullopt;
}

const char* GapsName(Gaps gaps) {
    switch (gaps) {
    case Gaps::Refuse: return "refuse";
    case Gaps::Fill: return "fill";
    case Gaps::Drop: break;
    }
    return "drop";
}

int64_t ResolveGaps(Samples& samples, Gaps gaps) {
    // An infinity is a value out of range, not a missing one: no gap.
    const auto infinite = std::find_if(samples.begin(), samples.end(), [](double x) { return std::isinf(x); });
    if (infinite != samples.end()) Refuse(infinite - samples.begin(), *infinite > 0 ? "+inf" : "-inf", "");
    const auto gap = [](double x) { return std::isnan(x); };
    const auto first = std::find_if_not(samples.begin(), samples.end(), gap);
    const auto count = std::count_if(samples.begin(), samples.end(), gap);
    if (count == 0) return 0;
    if (gaps == Gaps::Refuse) {
        Refuse(std::find_if(samples.begin(), samples.end(), gap) - samples.begin(), "NaN", kGapsHint);
    }
    if (first == samples.end()) {
        throw ImportFailure("every one of its " + std::to_string(count) +
                            (count == 1 ? " value is a gap" : " values is a gap"));
    }
    if (gaps == Gaps::Drop) {
        samples.erase(std::remove_if(samples.begin(), samples.end(), gap), samples.end());
        return count;
    }
    // Before the first value: that value; after each value a, up to the next
    // value b, the line from a to b, or a itself after the last.
    std::fill(samples.begin(), first, *first);
    for (auto a = first; a != samples.end();) {
        const auto b = std::find_if_not(a + 1, samples.end(), gap);
        const double span = static_cast<double>(b - a);
        for (auto i = a + 1; i != b; ++i) {
            *i = b == samples.end() ? *a : *a + (*b - *a) * static_cast<double>(i - a) / span;
        }
        a = b;
    }
    return count;
}

}  // namespace importer
