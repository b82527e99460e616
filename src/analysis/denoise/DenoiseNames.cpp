#include "analysis/denoise/DenoiseNames.h"

#include <array>
#include <utility>

namespace analysis {
namespace {

constexpr std::array kRules{std::pair{ThresholdRule::Universal, std::string_view("universal")},
                            std::pair{ThresholdRule::Sure, std::string_view("sure")},
                            std::pair{ThresholdRule::Bayes, std::string_view("bayes")},
                            std::pair{ThresholdRule::Fixed, std::string_view("fixed")}};
constexpr std::array kShrinks{std::pair{Shrink::Hard, std::string_view("hard")},
                              std::pair{Shrink::Soft, std::string_view("soft")}};

template <class Names, class Value>
std::string_view NameOf(const Names& names, Value value) {
    for (const auto& [named, name] : names) {
        if (named == value) return name;
    }
    return {};
}

template <class Value, class Names>
std::optional<Value> Named(const Names& names, std::string_view name) {
    for (const auto& [value, text] : names) {
        if (text == name) return value;
    }
    return std::nullopt;
}

}  // namespace

std::string_view RuleName(ThresholdRule rule) { return NameOf(kRules, rule); }
std::optional<ThresholdRule> RuleNamed(std::string_view name) { return Named<ThresholdRule>(kRules, name); }
std::string_view ShrinkName(Shrink shrink) { return NameOf(kShrinks, shrink); }
std::optional<Shrink> ShrinkNamed(std::string_view name) { return Named<Shrink>(kShrinks, name); }

}  // namespace analysis
